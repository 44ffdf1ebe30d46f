// MD5 message digest (RFC 1321), implemented here so that both programs
// compute manifest digests without an outside library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vanto::delivery {

struct Md5Context {
  std::uint32_t count[2];   // message length in bits, low word first
  std::uint32_t state[4];   // A, B, C, D
  std::uint8_t buffer[64];  // the block being filled
  std::uint8_t digest[16];  // set by Md5Final
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* data, std::size_t len);
// Pads the message, processes the last block(s) and stores the digest.
void Md5Final(Md5Context& context);

// The digest as 32 lower-case hexadecimal digits, high nibble first.
std::string Md5DigestText(const Md5Context& context);

// Digest text of one buffer.
std::string Md5Hex(const void* data, std::size_t len);

}  // namespace vanto::delivery
