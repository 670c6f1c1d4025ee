#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace samplecard::testing {

struct ProgramResult {
  int exitCode = -1;
  QByteArray out;
  QString err;
};

// Runs a program to its end (at most timeoutMs) and collects what it printed.
inline ProgramResult runProgram(const QString& program, const QStringList& arguments,
                                int timeoutMs = 300000) {
  QProcess process;
  process.start(program, arguments);
  ProgramResult result;
  if (!process.waitForStarted() || !process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    result.err = QStringLiteral("did not run: ") + program;
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = process.readAllStandardOutput();
  result.err = QString::fromUtf8(process.readAllStandardError());
  return result;
}

}  // namespace samplecard::testing
