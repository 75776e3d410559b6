#include "ProgramIdentity.h"

#include "GuiTestSupport.h"
#include "Messages.h"
#include "RenderedDocument.h"
#include "ReportRunner.h"
#include "SafeFileDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ProgramIdentityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureTestApplication();
        ProgramIdentity::apply(*qApp);
    }
};

QStringList buttonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text().remove(u'&');
    return texts;
}

TEST_F(ProgramIdentityTest, QtsOwnDialogsSpeakCzech)
{
    QMessageBox box(QMessageBox::Question, Messages::programName(), u"?"_s,
                    QMessageBox::Save | QMessageBox::Cancel | QMessageBox::Close);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Zrušit"_s);
    EXPECT_EQ(box.button(QMessageBox::Save)->text().remove(u'&'), u"Uložit"_s);
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 1), u"1\u00a0234,5"_s);
}

TEST_F(ProgramIdentityTest, NoTitleCarriesASuffix)
{
    // Qt appends a display name, once one is set, to every window's title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QCoreApplication::applicationName(), u"zeb-mo"_s);
}

// The dialog a preview's "Uložit jako PDF" opens: in Czech, in the documents folder, with
// the document's own name proposed.
TEST_F(ProgramIdentityTest, PdfDialogIsCzechAndStartsInTheDocumentsFolder)
{
    RenderedDocument receipt;
    receipt.reportName = u"TFormPotvr"_s;
    receipt.title = u"Potvrzení o zaplacení"_s;
    receipt.subject = u"00123"_s;
    receipt.printedOn = QDate(2026, 12, 8);
    EXPECT_EQ(ReportRunner::previewTitle(receipt), u"Náhled – Potvrzení o zaplacení"_s);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    const QString suggested = ReportRunner::suggestedPdfPath(receipt);
    EXPECT_EQ(suggested, QDir(documents).filePath(u"Potvrzeni-o-zaplaceni-00123-2026-12-08.pdf"_s));

    QStringList buttons;
    QStringList labels;
    QString folder;
    QString fileName;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        buttons = buttonTexts(*dialog);
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text().remove(u'&');
        folder = dialog->directory().absolutePath();
        fileName = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
        dialog->reject();
    });
    EXPECT_TRUE(SafeFileDialog::saveFile(nullptr, u"Uložit jako PDF"_s, suggested, u"PDF (*.pdf)"_s)
                    .isEmpty());
    EXPECT_TRUE(buttons.contains(u"Uložit"_s)) << buttons.join(u", "_s).toStdString();
    EXPECT_TRUE(buttons.contains(u"Zrušit"_s)) << buttons.join(u", "_s).toStdString();
    EXPECT_FALSE(labels.join(u' ').contains(u"Look in"_s)) << labels.join(u", "_s).toStdString();
    EXPECT_EQ(folder, QDir(documents).absolutePath());
    EXPECT_EQ(fileName, u"Potvrzeni-o-zaplaceni-00123-2026-12-08.pdf"_s);
}

} // namespace
