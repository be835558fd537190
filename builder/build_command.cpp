#include "builder/build_command.h"

#include <stdio.h>

#include <string>
#include <thread>
#include <vector>

#include "archive/archive_writer.h"
#include "builder/check_command.h"
#include "builder/chunk_pipeline.h"
#include "builder/embedded_english.h"
#include "builder/entry_plan.h"
#include "builder/installer_file.h"
#include "builder/os_files.h"
#include "builder/os_system.h"
#include "builder/output_file.h"
#include "builder/progress.h"
#include "builder/project_scan.h"
#include "builder/script_checks.h"
#include "builder/signing.h"
#include "builder/stub_locator.h"
#include "format/installer_layout.h"

namespace {

void Fail(const std::string &message) { fprintf(stderr, "qvsbuild: %s\n", message.c_str()); }

// Reads a stub or module, which must fit before the 1 MiB marker bound anyway.
bool ReadBuildInput(const std::string &path, const char *what, const char *option,
                    const char *envName, std::vector<uint8_t> *bytes) {
  OsFile file = OpenFileForReading(path);
  if (file == kNoFile) {
    Fail(std::string(what) + " not found at " + path + " (" + LastSystemError() + "); build it, or name one with " +
         option + " FILE or " + envName);
    return false;
  }
  bytes->clear();
  uint8_t buffer[65536];
  size_t got = 0;
  bool ok = true;
  // Anything past twice the marker bound is refused by the size check anyway.
  while ((ok = ReadFromFile(file, buffer, sizeof buffer, &got)) && got > 0 &&
         bytes->size() <= 2 * (size_t)kMarkerSearchSize) {
    bytes->insert(bytes->end(), buffer, buffer + got);
  }
  if (!ok) Fail(std::string("cannot read the ") + what + " " + path + ": " + LastSystemError());
  CloseFile(&file);
  return ok;
}

// The archive writer's output: appended at `end`, or patched at an offset
// from `base`, where the archive starts.
struct FileDestination {
  OsFile file;
  uint64_t base;
  uint64_t end;
};

int DestinationWrite(void *context, const void *data, size_t size) {
  FileDestination *destination = (FileDestination *)context;
  if (!WriteFileAt(destination->file, destination->end, data, size)) return 0;
  destination->end += size;
  return 1;
}

int DestinationWriteAt(void *context, uint64_t offset, const void *data, size_t size) {
  FileDestination *destination = (FileDestination *)context;
  return WriteFileAt(destination->file, destination->base + offset, data, size);
}

// Writes the configuration block and the archive into the open output;
// *written gets the installer's size.
bool WriteInstaller(OsFile file, const std::vector<uint8_t> &block, const EntryPlan &plan,
                    const PipelineSettings &settings, ProgressLine *progress, uint64_t *written,
                    std::string *error) {
  if (!WriteFileAt(file, 0, block.data(), block.size())) {
    *error = "cannot write: " + LastSystemError();
    return false;
  }
  FileDestination destination = {file, (uint64_t)block.size(), (uint64_t)block.size()};
  ArchiveDestination sink = {&destination, DestinationWrite, DestinationWriteAt};
  ArchiveWriter *writer = NULL;
  ArchiveResult result = ArchiveWriterOpen(&writer, &sink, plan.archiveTime);
  bool ok = result == ARCHIVE_OK;
  if (!ok) *error = std::string("cannot start the archive: ") + ArchiveResultText(result);
  PipelineProgress report = {ProgressReport, progress};
  if (ok) ok = WriteEntries(writer, plan.entries, settings, &report, error);
  if (ok) {
    result = ArchiveWriterFinish(writer);
    ok = result == ARCHIVE_OK;
    if (!ok) *error = std::string("cannot finish the archive: ") + ArchiveResultText(result);
  }
  ArchiveWriterFree(writer);
  *written = destination.end;
  return ok;
}

// SOURCE_DATE_EPOCH, the moment of a reproducible build, when set.
struct BuildClock {
  bool haveEpoch;
  int64_t epoch;
};

bool ReadBuildClock(BuildClock *clock) {
  std::string epochText;
  clock->epoch = 0;
  clock->haveEpoch = EnvironmentValue("SOURCE_DATE_EPOCH", &epochText);
  if (clock->haveEpoch && !ParseSourceDateEpoch(epochText.c_str(), &clock->epoch)) {
    Fail("SOURCE_DATE_EPOCH must be a decimal number of seconds");
    return false;
  }
  return true;
}

// With --sign: the signing tool and the private folder where the signed
// uninstaller copy waits to be packed.
struct Signing {
  const Signer *signer;  // null: an unsigned build
  std::string workFolder;
};

bool ScanAndPlan(const BuildOptions &options, const BuildClock &clock, const Signing &signing,
                 Project *project, EntryPlan *plan) {
  ScanOptions scanOptions = {NULL, 0, NULL};
  const std::string uninstaller = ResolveBuildInput(options.uninstallerPath, "QVS_UNINSTALLER",
                                                    options.flavour, "uninstaller/qvsuninst.exe");
  scanOptions.defaultUninstaller = uninstaller.c_str();
  if (options.addEnglish) {
    if (kEnglishLanguageFileSize == 0) {
      Fail("--add-english: this builder was built without lang/English.lng; add that file and rebuild");
      return false;
    }
    std::string english((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize);
    std::string problem = DocumentTextProblem(english);
    if (!problem.empty()) {
      Fail("--add-english: the built-in English.lng: " + problem);
      return false;
    }
    scanOptions.englishLanguage = kEnglishLanguageFile;
    scanOptions.englishLanguageSize = kEnglishLanguageFileSize;
  }
  std::vector<std::string> problems;
  std::vector<std::string> notes;
  bool ok = ScanProject(options.project, scanOptions, project, &problems, &notes);
  if (!options.quiet) {
    for (const std::string &note : notes) fprintf(stderr, "qvsbuild: note: %s\n", note.c_str());
  }
  for (const std::string &problem : problems) Fail(problem);
  CheckCounts counts;
  if (!project->scriptText.empty()) counts = CheckScannedProject(*project, stderr);
  if (!ok || !CheckPasses(counts, options.strict)) {
    std::string what = std::to_string(problems.size() + counts.errors) + " problem(s)";
    if (options.strict && counts.warnings > 0)
      what += " and " + std::to_string(counts.warnings) + " warning(s) (--strict)";
    Fail(what + " in the project; nothing was written");
    return false;
  }
  std::string error;
  if (signing.signer != NULL && !SignUninstallerEntry(*signing.signer, signing.workFolder, project, &error)) {
    Fail(error + "; nothing was written");
    return false;
  }
  MakeEntryPlan(*project, clock.haveEpoch, clock.epoch, plan);
  return true;
}

// The build once the output may be written and the signer is ready.
int BuildInstaller(const BuildOptions &options, const BuildClock &clock, const Signing &signing,
                   double started) {
  std::string stubPath =
      ResolveBuildInput(options.stubPath, "QVS_STUB", options.flavour, "startup/qvssetup.exe");
  std::string modulePath =
      ResolveBuildInput(options.modulePath, "QVS_MODULE", options.flavour, "module/qvsunpack.dll");
  std::vector<uint8_t> stub;
  std::vector<uint8_t> module;
  if (!ReadBuildInput(stubPath, "stub", "--stub", "QVS_STUB", &stub)) return 1;
  if (!ReadBuildInput(modulePath, "module", "--module", "QVS_MODULE", &module)) return 1;
  std::string blockProblem = ConfigBlockProblem(stub, module);
  if (!blockProblem.empty()) {
    Fail(blockProblem);
    return 1;
  }

  Project project;
  EntryPlan plan;
  if (!ScanAndPlan(options, clock, signing, &project, &plan)) return 1;
  bool requireAdmin = options.requireAdmin || project.scriptRequiresAdmin;
  std::vector<uint8_t> block = MakeConfigBlock(stub, module, requireAdmin);

  PipelineSettings settings;
  settings.threads = options.threads;
  if (settings.threads == 0) settings.threads = std::thread::hardware_concurrency();
  if (settings.threads == 0) settings.threads = 1;
  settings.level = options.level;
  settings.extreme = options.extreme;

  OutputFile output;
  std::string error;
  if (!OutputFileOpen(&output, options.output, &error)) {
    Fail(error);
    return 1;
  }
  ProgressLine progress;
  ProgressBegin(&progress, plan.totalSize, !options.quiet);
  uint64_t bytesOut = 0;
  bool ok = WriteInstaller(output.file, block, plan, settings, &progress, &bytesOut, &error);
  ProgressEnd(&progress);
  if (ok && signing.signer != NULL) {
    FileStatus signedStatus;
    ok = OutputFileClose(&output, &error) && SignFile(*signing.signer, output.tempPath, &error);
    if (ok && StatusOfPath(output.tempPath, false, &signedStatus)) bytesOut = signedStatus.size;
  }
  if (ok) ok = OutputFileCommit(&output, &error);
  if (!ok) {
    OutputFileDiscard(&output);
    Fail(error + "; nothing was written");
    return 1;
  }
  if (!options.quiet) {
    PrintSummary(stderr, options.output.c_str(), plan.entries.size(), plan.totalSize, bytesOut,
                 NowSeconds() - started);
  }
  return 0;
}

}  // namespace

int RunBuild(const BuildOptions &options) {
  double started = NowSeconds();
  std::string outputProblem = OutputPathProblem(options.output, options.project);
  if (!outputProblem.empty()) {
    Fail(outputProblem + "; nothing was written");
    return 1;
  }
  BuildClock clock;
  if (!ReadBuildClock(&clock)) return 1;
  Signing signing = {NULL, std::string()};
  Signer signer;
  if (!options.signCertificate.empty()) {
    std::string error;
    if (!PrepareSigner(options, clock.haveEpoch, clock.epoch, &signer, &error)) {
      Fail(error + "; nothing was written");
      return 1;
    }
    if (!MakePrivateFolder(&signing.workFolder)) {
      Fail("cannot create a temporary folder for signing: " + LastSystemError());
      return 1;
    }
    RemoveOnInterrupt(kInterruptWorkFolder, signing.workFolder);
    signing.signer = &signer;
  }
  int exitCode = BuildInstaller(options, clock, signing, started);
  if (signing.signer != NULL) {
    RemoveFile(SignedUninstallerPath(signing.workFolder));
    RemoveEmptyFolder(signing.workFolder);
    RemoveOnInterrupt(kInterruptSigningCopy, std::string());
    RemoveOnInterrupt(kInterruptWorkFolder, std::string());
  }
  return exitCode;
}
