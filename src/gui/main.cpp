// marquill400: the desktop converter. One window per user; a second start brings the
// running window to the front and ends.

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <filesystem>

#include "gui/main_window.h"
#include "gui/prompter.h"
#include "gui/screenshots.h"
#include "gui/single_instance.h"
#include "input/file_paths.h"
#include "marquill400_version.h"
#include "shell/run_environment.h"
#include "shell/settings_store.h"

int main(int argc, char** argv) {
  // Fractional screen scales (125 %, 150 %) are drawn at their own size, not rounded.
  QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Marquill400"));
  QApplication::setApplicationVersion(QString::fromLatin1(mq::kMarquillVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Converts DXF drawings of cabinet panels into PTP400 programs."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption settings_option(QStringLiteral("settings"),
                                           QStringLiteral("Settings file (MQ400.INI) to use."),
                                           QStringLiteral("FILE"));
  QCommandLineOption screenshots_option(
      QStringLiteral("screenshots"), QStringLiteral("Runs the window through its states and saves pictures."),
      QStringLiteral("DIR"));
  screenshots_option.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(settings_option);
  parser.addOption(screenshots_option);
  parser.addPositionalArgument(
      QStringLiteral("request"),
      QStringLiteral("A drawing to convert before the program ends, optionally followed by a program "
                     "name; and the switches /S (BATCH.LST always), /K (end after BATCH.LST), "
                     "/V (graphic editor after automatic conversions), /A (restart MQ.PNX)."),
      QStringLiteral("[DRAWING [PROGRAM]] [/S] [/K] [/V] [/A]"));
  parser.process(app);
  const bool screenshots = parser.isSet(screenshots_option);

  mq::gui::SingleInstance instance(QStringLiteral("Marquill400"));
  if (!screenshots && !instance.Claim()) {
    instance.ActivateRunning();
    return 0;
  }

  const std::filesystem::path executable_directory = mq::ExecutableDirectory();
  mq::gui::WindowOptions options;
  const mq::SettingsLocation settings_location = mq::ResolveSettingsLocation(
      mq::CurrentSettingsLocationInputs(parser.value(settings_option).toLocal8Bit().toStdString(),
                                        executable_directory));
  // The first start leaves a settings file with every key for the operator to find.
  if (const std::string problem = mq::CreateSettingsFileAtFirstStart(settings_location); !problem.empty())
    std::fprintf(stderr, "marquill400: the settings file was not created: %s\n", problem.c_str());
  options.settings_file = settings_location.path;
  options.program_directory = mq::WithClosingSeparator(
      executable_directory.string(), static_cast<char>(std::filesystem::path::preferred_separator));
  options.executable_path = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
  if (!screenshots)
    options.command_line = parser.positionalArguments().join(QLatin1Char(' ')).toLocal8Bit().toStdString();

  mq::gui::DialogPrompter dialogs;
  mq::gui::UnattendedPrompter unattended;
  mq::gui::MainWindow window(options, screenshots ? static_cast<mq::gui::Prompter&>(unattended) : dialogs);
  QObject::connect(&instance, &mq::gui::SingleInstance::ActivationRequested, &window,
                   &mq::gui::MainWindow::BringToFront);
  if (screenshots) return mq::gui::TakeScreenshots(window, parser.value(screenshots_option));
  QObject::connect(&window, &mq::gui::MainWindow::ProgramEnded, &app, &QCoreApplication::exit,
                   Qt::QueuedConnection);
  window.show();
  return app.exec();
}
