// The uninstaller's data file (Uninst<n>.dat beside Uninst<n>.exe): what an
// installation leaves behind for the uninstaller, written by the installer
// and read by the uninstaller and the tests with this one writer and reader.
//
// The file is ANSI text, one entry per line, every line ended by CR LF, no
// blank lines, groups in a fixed order:
//
//   [LocalizationUninstall]   always: l1=<text> ... (no blanks around "=")
//   [UninstallerConfig]       always: ten "Key = value" lines, then two
//                             additive ones: CreatedFoldersCount and
//                             LeaveFilesCount, the line counts of the last two
//                             groups, so that a file cut short at a line end
//                             there (losing files to leave) is refused; and
//                             RequireAdministrator beside a signed uninstaller
//   [CloseItemsUninstaller]   always: UninstCheckForInstances, then Items and
//                             one [<ID>] group per close item when there are any
//   [Components]              when the script defines components
//   [DoneTasks]               when a task changed something
//   [UninstallerTasks]        when the script lists uninstaller tasks; Items
//                             names them all, only the selected get a group
//   [CreatedFiles]            always: f0=<path> ...
//   [CreatedFolders]          always: f0=<path> ...
//   [LeaveFiles]              when there are files to leave: 1 = <path> ...
//
// Integers are decimal with a leading "-" when negative; texts are written
// as they are, without quoting or escaping. In a "Key = value" line the
// value is everything after the first " = ", kept exactly, leading and
// trailing blanks and further "=" signs included (a reader that trims
// values, as the script parser does, would lose those blanks).
//
// What one line cannot carry. A text holding CR, LF or a zero byte would
// break the line structure, so it is never written as it stands:
//   - an entry that names what the uninstaller deletes, restores or runs (a
//     created file or folder, a done record, an uninstaller task) is left
//     out: naming a different file or key could make the uninstaller remove
//     the wrong thing, and leaving a change in place is the lesser harm. A
//     left-out uninstaller task keeps its ID in Items, like an unselected
//     one;
//   - in every other text (language lines, [UninstallerConfig] values,
//     close-item names, component paths, files to leave) each CR, LF and
//     zero byte becomes a blank;
//   - a done record's previous data never needs either: see DoneTaskRecord.
// The fields that a record's type does not use are not written (they read
// back empty), nor are a done record's Name and ComponentID, which stay with
// the installer.
#ifndef QVS_FORMAT_UNINSTALLER_DATA_H
#define QVS_FORMAT_UNINSTALLER_DATA_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// The done types: what an installation task changed.
enum DoneTaskType {
  kDoneRegistryKey = 0,       // BaseKey, KeyPath
  kDoneRegistryValue = 1,     // BaseKey, KeyPath, ValueName
  kDoneFileAssociation = 2,   // ExePath, Extension
  kDoneDllRegistration = 3,   // DLLPath
  kDoneEnvironmentVariable = 4,  // VariableName
  kDoneIniGroup = 5,          // GroupName, IniPath
  kDoneIniValue = 6,          // IniPath, Group, ValueName
};

// The registry's own numbers for the types whose previous data is written
// as text; every other type's data is written in hexadecimal.
enum PreviousDataType {
  kPreviousString = 1,        // REG_SZ; also an environment variable or INI value
  kPreviousExpandString = 2,  // REG_EXPAND_SZ
  kPreviousDword = 4,         // REG_DWORD, its data the number in decimal
};

// One performed change, with the fields of its type (the others stay
// empty). Texts are expanded.
struct DoneTaskRecord {
  int32_t ID = 0;
  std::string Name;  // local date-time in seconds since 1970, as text
  int32_t Type = 0;
  int32_t ComponentID = 0;
  // The root key's predefined handle value as a signed 32-bit number:
  // HKEY_LOCAL_MACHINE is 0x80000002, written -2147483646.
  int32_t BaseKey = 0;
  std::string KeyPath;
  std::string ValueName;
  std::string ExePath;
  std::string Extension;
  std::string DLLPath;
  std::string VariableName;
  std::string GroupName;
  std::string IniPath;
  std::string Group;
  // What the change replaced, so that undoing it restores rather than
  // deletes: a registry value or environment variable that existed before,
  // an association's earlier default value. Written as extra lines
  // ("PreviousType = ", then "PreviousData = " or "PreviousDataHex = ")
  // only when hasPrevious is set; readers that do not know them ignore them.
  // The data is written as it stands ("PreviousData") when the type is one
  // of PreviousDataType and the data holds no CR, LF or zero byte; otherwise
  // (binary, multi-string, QWORD, a text with line breaks) as two uppercase
  // hexadecimal digits per byte ("PreviousDataHex"), the key itself marking
  // the encoding. Either way it reads back byte for byte.
  bool hasPrevious = false;
  int32_t PreviousType = 0;   // the registry type (REG_SZ 1, REG_EXPAND_SZ 2, REG_DWORD 4, ...)
  std::string PreviousData;   // the earlier data: text, a DWORD in decimal, else the raw bytes
  // What the change wrote, for an undo that must tell whether someone else
  // changed the entry since (an environment variable such as PATH, which
  // later installations extend too). Written as an extra line only when
  // hasWritten is set: "WrittenData = " as it stands, or "WrittenDataHex = "
  // when it holds a CR, LF or zero byte; readers that do not know it ignore
  // it.
  bool hasWritten = false;
  std::string WrittenData;
};

// [UninstallerConfig], in the order of its lines.
struct UninstallerConfig {
  std::string ProgramName;
  std::string ProgramVersion;
  std::string CompanyName;
  std::string ProgramWebsite;
  std::string SupportEmail;
  std::string StartMenuPath;  // empty when no start-menu group was made
  int32_t CreateAddRemoveEntry = 0;
  std::string AddRemoveEntryName;
  int32_t AddRemoveForAllUsers = 0;  // 1 when the entry went below HKEY_LOCAL_MACHINE
  int32_t RebootRequired = 0;        // the script's UninstRestartPC
  // The installer's administrator flag, as an additive line after the
  // others, written only when hasRequireAdministrator: for an uninstaller
  // image that ends with its signature, after which no flag may be
  // appended (uninstaller/README.md). Readers that do not know it ignore it.
  bool hasRequireAdministrator = false;
  int32_t RequireAdministrator = 0;
};

// A close item of the uninstaller: type 0 names a mutex, type 1 a window;
// other types carry no further field.
struct UninstallerCloseItem {
  int32_t ID = 0;
  int32_t Type = 0;
  std::string MutexName;
  std::string WindowName;
  std::string WindowClass;
  int32_t MatchExactly = 0;
};

// A component of the script, selected or not, with its resolved path.
struct UninstallerComponent {
  int32_t ID = 0;
  std::string PathVariable;
  std::string InstallationPath;
};

// An uninstaller task of the script. Every task's ID goes into Items; only
// a selected one (its component selected) gets its group, so an unselected
// task reads back with its ID alone. Type-specific fields (texts expanded):
//   0 ProgramPath, CommandLine, RunMode, ExecutionTime, RunHidden, WaitUntilQuit
//   1 BaseKey (the script's root-key code), Key
//   2 BaseKey, Key (the script's KeyPath), ValueName
//   3 SourceFile, DestinationFile
//   4 FilePath
//   5, 6, 7 Address
struct UninstallerTaskRecord {
  int32_t ID = 0;
  bool selected = false;
  int32_t Type = 0;
  int32_t Win95 = 0;
  int32_t WinNT4 = 0;
  int32_t Win98 = 0;
  int32_t WinMe = 0;
  int32_t Win2000 = 0;
  int32_t WinXP = 0;
  int32_t WinServer2003 = 0;
  int32_t WinVista = 0;
  int32_t WinServer2008 = 0;
  int32_t Win7 = 0;
  std::string ProgramPath;
  std::string CommandLine;
  int32_t RunMode = 0;
  int32_t ExecutionTime = 0;
  int32_t RunHidden = 0;
  int32_t WaitUntilQuit = 0;
  int32_t BaseKey = 0;
  std::string Key;
  std::string ValueName;
  std::string SourceFile;
  std::string DestinationFile;
  std::string FilePath;
  std::string Address;
};

// Everything the file carries. An empty list means its group (or, for
// close items, its Items line) is not written.
struct UninstallerData {
  // The chosen language's uninstaller strings as they stand: l1, l2, ...
  std::vector<std::string> localization;
  UninstallerConfig config;
  int32_t UninstCheckForInstances = 0;
  std::vector<UninstallerCloseItem> closeItems;
  std::vector<UninstallerComponent> components;
  std::vector<DoneTaskRecord> doneTasks;
  std::vector<UninstallerTaskRecord> uninstallerTasks;
  // The whole list as written, the uninstaller's own two files last (the
  // caller appends them): f0, f1, ...
  std::vector<std::string> createdFiles;
  std::vector<std::string> createdFolders;  // in creation order: f0, f1, ...
  std::vector<std::string> leaveFiles;      // expanded: 1, 2, ...
};

// Limits, shared by the writer and the reader so that every file the writer
// produces is one the reader accepts. They bound what a damaged or hostile
// file can make the uninstaller allocate (a 38 MB file that reaches every
// count limit makes the reader hold about 200 MB) while staying far above
// what real installations need.
const size_t kMaxUninstallerDataSize = 64u << 20;      // bytes of the whole file
const size_t kMaxUninstallerStrings = 4096;            // language lines
const size_t kMaxUninstallerListItems = 65536;         // close items, components, done
                                                       // records, uninstaller tasks (each)
const size_t kMaxUninstallerPathEntries = 1u << 20;    // created files, created folders,
                                                       // files to leave (each)

// The file's text for `data`, following the rules above. Returns the empty
// text when the data exceeds a limit (a list longer than its maximum, or a
// file larger than kMaxUninstallerDataSize): the caller then treats the
// file as one it could not write, rather than leave one the uninstaller
// would refuse.
std::string WriteUninstallerData(const UninstallerData &data);

// Reads a file's text into *out (cleared first, and left cleared on
// failure). Returns false, with a message naming the line in *error (when
// not null), when:
//   - the text is larger than kMaxUninstallerDataSize, holds a zero byte or
//     a CR or LF outside a CR LF pair, or does not end with CR LF;
//   - it holds a blank line, a line outside any group, a group that is
//     unknown, repeated or out of order, or lacks one of the five groups
//     always written;
//   - a list exceeds its limit;
//   - a known line is repeated in its group, or a line the record needs is
//     missing, or an integer is not a decimal 32-bit number;
//   - a numbered line (l, f, LeaveFiles) is out of sequence;
//   - [CreatedFolders] or [LeaveFiles] holds another number of lines than
//     [UninstallerConfig] announces (a file without the two count lines is
//     read without this check);
//   - the item groups do not follow Items: close items, components and
//     done records have one group per ID, in Items order; uninstaller tasks
//     a group for some of the IDs, in Items order;
//   - previous or written data is not in the form the writer uses.
// Lines of a known group that are not part of the format are ignored, so
// that files with additional lines stay readable.
bool ReadUninstallerData(const std::string &text, UninstallerData *out, std::string *error);

#endif
