#include "GuardedApplication.h"

#include <QLocale>

#include <gtest/gtest.h>

// Reports need fonts and the print system, so the tests run inside an application; the
// program prints in Czech, so numbers come out with a decimal comma.
int main(int argc, char* argv[])
{
    // Test discovery runs the executable outside CTest, without its environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
