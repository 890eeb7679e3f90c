// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "program_identity.h"

namespace veltrasko {
namespace {

constexpr char ProgramName[] = "veltrasko-analyser";

// The parser works on text; a path must reach the file system with the very
// bytes it was given, so the argument is taken from argv again. Only the
// first one counts, as always.
QByteArray FirstOperand(int argc, const char* const* argv) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (!optionsEnded && std::strcmp(argument, "--") == 0) {
      optionsEnded = true;
    } else if (optionsEnded || argument[0] != '-' || argument[1] == '\0') {
      return QByteArray(argument);
    }
  }
  return {};
}

// The parser names the program only after the application object is made,
// which a command line answered at once never needs: the usage line is ours.
QString HelpText(const QCommandLineParser& parser) {
  QString text = parser.helpText();
  text.remove(0, text.indexOf('\n') + 1);
  return QString("Usage: ") + ProgramName + " [options] [--] [file]\n" + text;
}

}  // namespace

AnalyserCommandLine ReadAnalyserCommandLine(int argc, const char* const* argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Records, shows and exports the strokes of a kayak ergometer.");
  const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
  parser.addOptions({help, version});
  parser.addPositionalArgument("file", "Record file (*.vrc) to open; a path beginning with '-' goes after --.");

  QStringList arguments{ProgramName};
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));

  AnalyserCommandLine result;
  if (!parser.parse(arguments)) {
    result.ExitCode = 2;
    result.Output = QString(ProgramName) + ": " + parser.errorText() + "\n" + HelpText(parser);
  } else if (parser.isSet(help)) {
    result.ExitCode = 0;
    result.Output = HelpText(parser);
  } else if (parser.isSet(version)) {
    result.ExitCode = 0;
    result.Output = QString(ProgramName) + " " VELTRASKO_VERSION "\n";
  } else {
    result.RecordPath = FirstOperand(argc, argv);
  }
  return result;
}

int AnswerCommandLine(const AnalyserCommandLine& commandLine) {
  const QByteArray text = commandLine.Output.toLocal8Bit();
  std::FILE* stream = commandLine.ExitCode == 0 ? stdout : stderr;
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stream);
  return commandLine.ExitCode.value_or(0);
}

}  // namespace veltrasko
