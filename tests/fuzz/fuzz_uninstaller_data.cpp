// libFuzzer harness for the uninstaller's data file: the input is read as a
// data file; what the reader accepts is written out again, and that text
// must read back to a record that writes the very same text. Any crash,
// sanitizer report, leak, hang or trap is a bug in format/.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "format/uninstaller_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text((const char *)data, size);
  UninstallerData read;
  std::string error;
  if (!ReadUninstallerData(text, &read, &error)) {
    if (error.empty()) abort();  // every refusal says why
    return 0;
  }
  // What the reader accepted stays within every limit, so the writer never
  // refuses it.
  std::string written = WriteUninstallerData(read);
  if (written.empty()) abort();
  UninstallerData again;
  if (!ReadUninstallerData(written, &again, &error)) abort();
  if (WriteUninstallerData(again) != written) abort();
  return 0;
}
