#include "TMainForm.h"

#include "QtEdge.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {
constexpr int buttonHeight = 33;
constexpr int pictureWidth = 443;
constexpr int pictureHeight = 240;
} // namespace

TMainForm::TMainForm(const QString& programDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TMainForm"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    FormCreate(programDirectory);

    addButton(QStringLiteral("&Členové"), 0, 80, &TMainForm::membersRequested);
    addButton(QStringLiteral("&Sumáře"), 80, 73, &TMainForm::catchReturnsRequested);
    addButton(QStringLiteral("&Nastavení"), 153, 73, &TMainForm::settingsRequested);
    addButton(QStringLiteral("&Uložit data"), 226, 72, &TMainForm::saveRequested);
    addButton(QStringLiteral("&Záloha dat"), 298, 72, &TMainForm::backupRequested);
    auto* end = new QPushButton(QStringLiteral("&Konec "), this);
    end->setGeometry(370, 0, 73, buttonHeight);
    end->setFocusPolicy(Qt::NoFocus);
    connect(end, &QPushButton::clicked, this, &QWidget::close);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(0, buttonHeight, pictureWidth, pictureHeight);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/river.jpg")));

    m_labelUpgrade = new QLabel(QStringLiteral("Upgrade 5.0 proveden"), this);
    m_labelUpgrade->setObjectName(QStringLiteral("LabelUpgrade"));
    QFont upgradeFont = font();
    upgradeFont.setPixelSize(19);
    m_labelUpgrade->setFont(upgradeFont);
    m_labelUpgrade->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_labelUpgrade->move(122, 137);
    m_labelUpgrade->adjustSize();
    m_labelUpgrade->hide();

    setFixedSize(pictureWidth, buttonHeight + pictureHeight);
}

void TMainForm::FormCreate(const QString& programDirectory)
{
    // Dates are always d.M.yyyy: DateText is the one conversion every part uses.
    m_folderSuffix = folderSuffixOf(programDirectory);
    setWindowTitle(QStringLiteral("ZEB -  MO administrativa V 5.20") + m_folderSuffix);
}

QString TMainForm::folderSuffixOf(const QString& programDirectory)
{
    QString dir = programDirectory;
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    const qsizetype cut =
        std::max(dir.lastIndexOf(QLatin1Char('/')), dir.lastIndexOf(QLatin1Char('\\')));
    return QStringLiteral(" - ") + (cut < 0 ? dir : dir.mid(cut + 1));
}

void TMainForm::addButton(const QString& caption, int left, int width, void (TMainForm::*signal)())
{
    auto* button = new QPushButton(caption, this);
    button->setGeometry(left, 0, width, buttonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, signal);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool agreed = true;
    // Closing that fails half-way keeps the program open, so nothing unsaved goes unasked.
    const bool done = QtEdge::run([&] { agreed = !onClose || onClose(); });
    event->setAccepted(done && agreed);
}
