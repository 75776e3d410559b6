#pragma once

#include <QByteArray>
#include <QString>

class QTemporaryDir;

// The real Paradox tables kept beside the repository, and copies of them to spoil.
class ParadoxFixtures {
public:
    static bool available();
    static QString path(const QString& relative);
    // Copies a table, and its memo file when it has one, into the directory; returns the
    // copy's path.
    static QString copy(const QString& relative, const QTemporaryDir& into);
    static QByteArray read(const QString& path);
    static void write(const QString& path, const QByteArray& bytes);
};

// Every test using the fixtures starts with this.
#define SKIP_WITHOUT_FIXTURES()                                                                    \
    if (!ParadoxFixtures::available())                                                             \
    GTEST_SKIP() << "Paradox fixtures not found at " << ZEB_PARADOX_FIXTURES
