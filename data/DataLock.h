#pragma once

#include <QFile>
#include <QString>

// Keeps a data directory to one running program. The operating system holds a lock on the
// lock file while the program runs and drops it when the program ends, however it ends, so
// a file left behind – empty, damaged, from a crash – never blocks a start. The file also
// names the computer that holds it: a data folder on a shared disk, or one copied while the
// program ran, may carry the lock of another computer, which only the user can judge.
class DataLock {
public:
    enum class Outcome {
        Taken,
        HeldByRunningProgram, // the system lock is held: a program of ours runs on these data
        LeftByAnotherComputer // free here, but the file names another computer
    };

    explicit DataLock(const QString& path);
    ~DataLock();
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;

    // Throws EngineError when the lock file cannot be created or written (a read-only
    // folder). With takeOver, a lock left by another computer is taken.
    Outcome take(bool takeOverFromAnotherComputer);
    bool isTaken() const { return m_taken; }
    // The computer named in a lock left by another one.
    const QString& otherComputer() const { return m_otherComputer; }

private:
    void writeOwner();

    QFile m_file;
    QString m_otherComputer;
    bool m_taken = false;
};
