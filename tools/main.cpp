#include "DataDirectoryInitializer.h"
#include "DataDirectorySummary.h"
#include "EngineError.h"
#include "ParadoxTakeOver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdlib>

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

struct Request {
    QString directory;
    bool summary = false;
    bool takeOver = false;
    DataDirectoryInitializer::Options options;
};

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Naplnit data ukázkovou organizací.")};
    QCommandLineOption members{QStringLiteral("members"),
                               QStringLiteral("Počet členů ukázkové organizace (výchozí 300)."),
                               QStringLiteral("N")};
    QCommandLineOption seed{QStringLiteral("seed"),
                            QStringLiteral("Semínko náhody ukázkové organizace (výchozí 1)."),
                            QStringLiteral("S")};
    QCommandLineOption year{QStringLiteral("year"),
                            QStringLiteral("Pracovní rok a rok sumářů (výchozí letošní)."),
                            QStringLiteral("Y")};
    QCommandLineOption summary{QStringLiteral("summary"),
                               QStringLiteral("Vypsat počty záznamů tabulek existujících dat.")};
    QCommandLineOption takeOver{
        QStringLiteral("take-over"),
        QStringLiteral("Převzít tabulky Paradox staršího programu v adresáři do nových dat; "
                       "původní soubory zůstanou beze změny.")};

    Parser()
    {
        parser.setApplicationDescription(QStringLiteral(
            "Vytvoří nový adresář dat programu ZEB - MO administrativa, nebo vypíše obsah "
            "existujícího."));
        parser.addHelpOption();
        parser.addOptions({demo, members, seed, year, summary, takeOver});
        parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Adresář dat."));
    }
};

[[noreturn]] void usageError(const Parser& p, const QString& message)
{
    QTextStream(stderr) << message << Qt::endl << Qt::endl << p.parser.helpText();
    std::exit(ExitUsage);
}

qint64 number(const Parser& p, const QCommandLineOption& option, qint64 low, qint64 high)
{
    bool ok = false;
    const QString text = p.parser.value(option);
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        usageError(p, QStringLiteral("Volba --%1 potřebuje číslo od %2 do %3, ne „%4“.")
                          .arg(option.names().constFirst())
                          .arg(low)
                          .arg(high)
                          .arg(text));
    return value;
}

Request parse(Parser& p, const QStringList& arguments)
{
    if (!p.parser.parse(arguments))
        usageError(p, p.parser.errorText());
    if (p.parser.isSet(QStringLiteral("help")))
        p.parser.showHelp(0);
    const QStringList positional = p.parser.positionalArguments();
    if (positional.size() != 1)
        usageError(p, QStringLiteral("Zadejte právě jeden adresář dat."));

    Request r;
    r.directory = positional.first();
    r.summary = p.parser.isSet(p.summary);
    r.takeOver = p.parser.isSet(p.takeOver);
    const bool demoOnly = p.parser.isSet(p.members) || p.parser.isSet(p.seed);
    const bool creating = p.parser.isSet(p.demo) || demoOnly || p.parser.isSet(p.year);
    if (r.summary && (creating || r.takeOver))
        usageError(p, QStringLiteral("Volbu --summary nelze spojit s dalšími volbami."));
    if (r.takeOver && creating)
        usageError(p, QStringLiteral("Volbu --take-over nelze spojit s dalšími volbami."));
    if (demoOnly && !p.parser.isSet(p.demo))
        usageError(p, QStringLiteral("Volby --members a --seed platí jen spolu s --demo."));

    r.options.demo = p.parser.isSet(p.demo);
    if (p.parser.isSet(p.members))
        r.options.members = int(number(p, p.members, 1, 500000));
    if (p.parser.isSet(p.seed))
        r.options.seed = quint32(number(p, p.seed, 0, 4294967295LL));
    if (p.parser.isSet(p.year))
        r.options.year = int(number(p, p.year, DataDirectoryInitializer::FirstYear,
                                    DataDirectoryInitializer::LastYear));
    return r;
}

void printLines(const QStringList& lines)
{
    QTextStream out(stdout);
    for (const QString& line : lines)
        out << line << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeb-mo-init"));
    Parser parser;
    const Request request = parse(parser, QCoreApplication::arguments());
    try {
        if (request.summary) {
            printLines(DataDirectorySummary::lines(request.directory));
        } else if (request.takeOver) {
            printLines(ParadoxTakeOver::countLines(ParadoxTakeOver::takeOver(request.directory)));
        } else {
            DataDirectoryInitializer::create(request.directory, request.options);
            QTextStream(stdout) << QStringLiteral("Adresář dat %1 je připraven.")
                                       .arg(QDir::toNativeSeparators(request.directory))
                                << Qt::endl;
        }
    } catch (const EngineError& e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return ExitFailure;
    }
    return 0;
}
