#pragma once

#include <QObject>
#include <QString>
#include <QTest>

// A test class whose every test function runs on a workstation of its own:
// init() makes it, fails the function when it is unusable and then runs the
// class's own set-up; cleanup() takes it down.
class WorkstationTest : public QObject
{
    Q_OBJECT

protected:
    // Makes the workstation; false, with why when known, when it is unusable.
    virtual bool Start(QString &problem) = 0;
    virtual void Stop() = 0;
    // The test class's own set-up on the fresh workstation.
    virtual void Prepare() {}

private slots:
    void init()
    {
        QString problem;
        QVERIFY2(Start(problem), qPrintable(problem));
        Prepare();
    }
    void cleanup() { Stop(); }
};
