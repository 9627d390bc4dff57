#pragma once

// The main of a benchmark test: run without arguments, as the test run does,
// it takes a short sample of this many iterations; for a proper measurement
// give QtTest's own options, such as "-median 15".

#include <QStringList>
#include <QTest>

template <typename Test>
int runBenchmark(int argc, char *argv[], int iterations)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (argc == 1)
        arguments << QStringLiteral("-iterations") << QString::number(iterations);
    Test test;
    return QTest::qExec(&test, arguments);
}
