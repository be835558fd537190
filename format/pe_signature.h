// Where an executable's Authenticode signature lies. A signing tool puts
// the signature (the certificate table) at the very end of the file and
// points the security entry of the PE optional header's data directory at
// it. Everything before the table is hashed, except the header's checksum
// and that entry; a byte after the table makes the signature fail to
// verify. Shared by the installer and the uninstaller (which decide where
// the uninstaller's administrator flag goes: see uninstaller/README.md) and
// the builder.
#ifndef QVS_FORMAT_PE_SIGNATURE_H
#define QVS_FORMAT_PE_SIGNATURE_H

#include <stddef.h>
#include <stdint.h>

// The bytes of a file's start that hold every header this needs.
const size_t kSignatureProbeSize = 4096;

struct CertificateTable {
  uint64_t offset;  // in the file
  uint64_t size;
};

// Reads the certificate table's place from the headers of a PE file whose
// first `headSize` bytes are `head`. False when the bytes are not a PE
// image, or it names no table.
bool FindCertificateTable(const uint8_t *head, size_t headSize, CertificateTable *table);

// True when the PE file of `fileSize` bytes whose first `headSize` bytes
// are `head` carries a certificate table that ends exactly where the file
// ends: a signed image, to which nothing may be appended.
bool SignatureEndsFile(const uint8_t *head, size_t headSize, uint64_t fileSize);

#endif
