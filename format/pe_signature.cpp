#include "format/pe_signature.h"

namespace {

// PE layout: the DOS header's e_lfanew, the "PE\0\0" signature, the COFF
// file header, then the optional header, whose data directory holds the
// certificate table's entry (file offset and size) at index 4.
const size_t kNewHeaderOffsetField = 0x3C;
const size_t kCoffHeaderSize = 20;
const size_t kOptionalHeaderSizeField = 16;  // within the COFF header
const uint16_t kMagicPe32 = 0x10B;
const uint16_t kMagicPe32Plus = 0x20B;
const size_t kDirectoryCountFieldPe32 = 92;
const size_t kDirectoryCountFieldPe32Plus = 108;
const uint32_t kCertificateDirectory = 4;
const size_t kDirectoryEntrySize = 8;
// A WIN_CERTIFICATE header alone is 8 bytes.
const uint32_t kSmallestTable = 8;

uint32_t Read16(const uint8_t *p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8; }

uint32_t Read32(const uint8_t *p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

}  // namespace

bool FindCertificateTable(const uint8_t *head, size_t headSize, CertificateTable *table) {
  if (head == nullptr || headSize < kNewHeaderOffsetField + 4 || head[0] != 'M' || head[1] != 'Z')
    return false;
  const uint64_t peOffset = Read32(head + kNewHeaderOffsetField);
  const uint64_t optional = peOffset + 4 + kCoffHeaderSize;
  if (optional + 2 > headSize) return false;
  const uint8_t *pe = head + peOffset;
  if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) return false;
  const uint32_t optionalSize = Read16(pe + 4 + kOptionalHeaderSizeField);
  const uint32_t magic = Read16(head + optional);
  size_t countField = 0;
  if (magic == kMagicPe32)
    countField = kDirectoryCountFieldPe32;
  else if (magic == kMagicPe32Plus)
    countField = kDirectoryCountFieldPe32Plus;
  else
    return false;
  const uint64_t entry = countField + 4 + kCertificateDirectory * kDirectoryEntrySize;
  if (entry + kDirectoryEntrySize > optionalSize || optional + entry + kDirectoryEntrySize > headSize)
    return false;
  if (Read32(head + optional + countField) <= kCertificateDirectory) return false;
  table->offset = Read32(head + optional + entry);
  table->size = Read32(head + optional + entry + 4);
  return table->offset != 0 && table->size >= kSmallestTable;
}

bool SignatureEndsFile(const uint8_t *head, size_t headSize, uint64_t fileSize) {
  CertificateTable table;
  return FindCertificateTable(head, headSize, &table) && table.offset + table.size == fileSize;
}
