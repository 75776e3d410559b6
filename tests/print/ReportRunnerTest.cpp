#include "ReportTestData.h"

#include "EngineError.h"
#include "Report.h"
#include "ReportLabel.h"
#include "ReportRunner.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RecordingSink : public ReportSink {
public:
    struct Delivery {
        QString name;
        Mode mode;
        int pages;
    };

    bool printer = true;
    QList<Delivery> deliveries;

    bool hasPrinter() const override { return printer; }
    void deliver(const QString& name, Mode mode, const RenderedDocument& document) override
    {
        deliveries << Delivery{name, mode, document.pageCount()};
    }
};

// A report of three pages: a title and three details each a page high.
class Runner : public ::testing::Test {
protected:
    Runner()
        : report(u"TFormTAdresar"_s)
    {
        report.addBand(BandKind::Title, 10)->add<ReportLabel>(0.0, 0.0, u"Adresář členů"_s);
        report.addBand(BandKind::Detail, 260);
        int rows = 0;
        report.onNeedData = [rows](bool& more) mutable {
            more = ++rows <= 3;
        };
        runner.setMessageHook([this](const QString& text) { messages << text; });
    }

    Report report;
    ReportRunner runner;
    QStringList messages;
};

TEST_F(Runner, PrintButtonsPrintOrPreviewByTheOneRule)
{
    RecordingSink sink;
    runner.setSink(&sink);
    runner.run(report, true);
    runner.run(report, false);
    runner.preview(report);
    ASSERT_EQ(sink.deliveries.size(), 3);
    EXPECT_EQ(sink.deliveries[0].mode, ReportSink::Mode::Print);
    EXPECT_EQ(sink.deliveries[1].mode, ReportSink::Mode::Preview);
    EXPECT_EQ(sink.deliveries[2].mode, ReportSink::Mode::Preview);
    EXPECT_EQ(sink.deliveries[0].name, u"TFormTAdresar"_s);
    EXPECT_EQ(sink.deliveries[0].pages, 3);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Runner, WithoutPrinterAPrintSaysSoAndPreviews)
{
    RecordingSink sink;
    sink.printer = false;
    runner.setSink(&sink);
    runner.run(report, true);
    runner.preview(report);
    ASSERT_EQ(sink.deliveries.size(), 2);
    EXPECT_EQ(sink.deliveries[0].mode, ReportSink::Mode::Preview);
    EXPECT_EQ(messages, QStringList{ReportRunner::noPrinterMessage(u"TFormTAdresar"_s)});
    EXPECT_TRUE(messages[0].contains(u"TFormTAdresar"_s));
}

TEST_F(Runner, ExportWritesAPdfOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"adresar.pdf"_s);
    ReportRunner::exportPdf(report, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_THROW(ReportRunner::exportPdf(report, dir.filePath(u"chybí/adresar.pdf"_s)),
                 EngineError);
}

// Watches for the modal preview the runner opens, notes what it shows and closes it.
struct PreviewWatch {
    int pages = -1;
    QString title;
    QStringList actions;

    void start()
    {
        QTimer::singleShot(50, [this] { look(); });
    }

    void look()
    {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            start();
            return;
        }
        title = dialog->windowTitle();
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        for (QAction* action : dialog->findChild<QToolBar*>()->actions())
            actions << action->text();
        dialog->reject();
    }
};

TEST_F(Runner, PreviewWindowShowsEveryPageAndOffersPdf)
{
    PreviewWatch watch;
    watch.start();
    runner.preview(report);
    EXPECT_EQ(watch.pages, 3);
    EXPECT_TRUE(watch.title.contains(u"TFormTAdresar"_s));
    EXPECT_TRUE(watch.actions.contains(u"Uložit jako PDF…"_s));
}

TEST_F(Runner, RealPrintWithoutPrinterFallsBackToThePreview)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is attached; the tests never print on paper";
    PreviewWatch watch;
    watch.start();
    runner.run(report, true);
    EXPECT_EQ(messages, QStringList{ReportRunner::noPrinterMessage(u"TFormTAdresar"_s)});
    EXPECT_EQ(watch.pages, 3);
}

} // namespace
