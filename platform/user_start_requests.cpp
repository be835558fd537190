#include "platform/user_start_requests.h"

#include <stdint.h>
#include <string.h>

namespace {

const char kMagic[] = "QVSR";
const size_t kMagicSize = 4;
// Magic, kind, hidden.
const size_t kHeadSize = kMagicSize + 2;
const size_t kLengthSize = 4;
const int kFieldCount = 3;

void PutText(std::string *out, const std::string &text) {
  const uint32_t length = (uint32_t)text.size();
  for (int shift = 0; shift < 32; shift += 8) out->push_back((char)(uint8_t)(length >> shift));
  *out += text;
}

uint32_t LengthAt(const std::string &bytes, size_t at) {
  uint32_t length = 0;
  for (size_t i = 0; i < kLengthSize; i++)
    length |= (uint32_t)(uint8_t)bytes[at + i] << (8 * i);
  return length;
}

// A path as a program or folder can have: no control character.
bool IsPlainPath(const std::string &path) {
  for (char c : path)
    if ((unsigned char)c < 32) return false;
  return true;
}

// The first word of a command line, quoted or up to the first blank.
std::string FirstWord(const std::string &line) {
  if (!line.empty() && line[0] == '"') {
    const size_t close = line.find('"', 1);
    return line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return line.substr(0, line.find(' '));
}

}  // namespace

std::string EncodeUserStartRequest(const UserStartRequest &request) {
  const std::string *texts[kFieldCount] = {&request.file, &request.parameters, &request.folder};
  std::string out(kMagic, kMagicSize);
  out.push_back((char)request.kind);
  out.push_back(request.hidden ? 1 : 0);
  for (const std::string *text : texts) {
    if (text->size() > kMaxUserStartText) return std::string();
    PutText(&out, *text);
  }
  return out;
}

UserStartDecoding TakeUserStartRequest(std::string *pending, UserStartRequest *request) {
  const std::string &bytes = *pending;
  // Every prefix of a sound request is refused as soon as it goes wrong.
  const size_t known = bytes.size() < kMagicSize ? bytes.size() : kMagicSize;
  if (memcmp(bytes.data(), kMagic, known) != 0) return kUserStartRefused;
  if (bytes.size() < kHeadSize) return kUserStartIncomplete;
  const uint8_t kind = (uint8_t)bytes[kMagicSize];
  const uint8_t hidden = (uint8_t)bytes[kMagicSize + 1];
  if (kind > kUserStartCommandLine || hidden > 1) return kUserStartRefused;
  std::string fields[kFieldCount];
  size_t at = kHeadSize;
  for (std::string &field : fields) {
    if (bytes.size() - at < kLengthSize) return kUserStartIncomplete;
    const uint32_t length = LengthAt(bytes, at);
    if (length > kMaxUserStartText) return kUserStartRefused;
    at += kLengthSize;
    if (bytes.size() - at < length) return kUserStartIncomplete;
    field = bytes.substr(at, length);
    if (field.find('\0') != std::string::npos) return kUserStartRefused;
    at += length;
  }
  request->kind = (UserStartKind)kind;
  request->hidden = hidden == 1;
  request->file = fields[0];
  request->parameters = fields[1];
  request->folder = fields[2];
  pending->erase(0, at);
  return IsAcceptableUserStart(*request) ? kUserStartTaken : kUserStartRefused;
}

bool IsAcceptableUserStart(const UserStartRequest &request) {
  if (!IsPlainPath(request.file) || !IsPlainPath(request.folder)) return false;
  switch (request.kind) {
    case kUserStartProgram:
    case kUserStartThroughShell: return !request.file.empty();
    case kUserStartCommandLine:
      return request.file.empty() && !FirstWord(request.parameters).empty();
  }
  return false;
}
