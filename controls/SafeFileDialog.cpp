#include "SafeFileDialog.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStyle>

namespace {

// Icons by kind only – a folder or a file – so no file is opened to find its type.
class PlainIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override
    {
        return QApplication::style()->standardIcon(type == Folder ? QStyle::SP_DirIcon
                                                                  : QStyle::SP_FileIcon);
    }
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QStringLiteral("Složka") : QStringLiteral("Soubor");
    }
};

} // namespace

QString SafeFileDialog::openFile(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter)
{
    return run(parent, caption, folder, filter, false);
}

QString SafeFileDialog::saveFile(QWidget* parent, const QString& caption,
                                 const QString& suggestedPath, const QString& filter)
{
    return run(parent, caption, suggestedPath, filter, true);
}

QString SafeFileDialog::chooseFolder(QWidget* parent, const QString& caption, const QString& folder)
{
    PlainIcons icons;
    QFileDialog dialog(parent, caption, folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setIconProvider(&icons);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString SafeFileDialog::run(QWidget* parent, const QString& caption, const QString& path,
                            const QString& filter, bool saving)
{
    PlainIcons icons;
    QFileDialog dialog(parent, caption, path, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
