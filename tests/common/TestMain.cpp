#include "TestRegistry.h"

#include <QApplication>
#include <QTest>

std::vector<TestRegistry::Factory>& TestRegistry::factories() {
    static std::vector<Factory> all;
    return all;
}

// Runs every registered test class in turn; Qt Test options such as -v2 are passed on.
// "-class Name" runs only that class. Qt Test (6.4) carries a QSKIP in initTestCase over into
// every class run after it here, silently: a class that may skip whole does so in init().
int main(int argc, char** argv) {
    QByteArray only;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (qstrcmp(argv[i], "-class") == 0 && i + 1 < argc)
            only = argv[++i];
        else
            args.push_back(argv[i]);
    }
    argc = int(args.size());
    argv = args.data();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests run from tests/, away from the programs of the build.
    if (qEnvironmentVariableIsEmpty("KESTREL_MDB_READER"))
        qputenv("KESTREL_MDB_READER", KESTREL_BUILD_DIR "/kestrel-mdb-reader");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi);
    int failed = 0;
    for (const auto& make : TestRegistry::factories()) {
        std::unique_ptr<QObject> test = make();
        if (!only.isEmpty() && only != test->metaObject()->className())
            continue;
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
