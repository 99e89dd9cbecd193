#include "platform/digest/Sha256.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <memory>
#include <new>

namespace vendaro::digest {
namespace {

using Context = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;
using Digest = std::array<unsigned char, 32>;

Context newContext() {
  Context context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
    throw std::bad_alloc();
  }
  return context;
}

Digest finished(EVP_MD_CTX* context) {
  Digest digest{};
  unsigned int length = 0;
  EVP_DigestFinal_ex(context, digest.data(), &length);
  return digest;
}

Digest sha256(std::string_view bytes) {
  const Context context = newContext();
  EVP_DigestUpdate(context.get(), bytes.data(), bytes.size());
  return finished(context.get());
}

std::string hexOf(const Digest& digest) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * digest.size());
  for (const unsigned char byte : digest) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 15];
  }
  return hex;
}

}  // namespace

std::string sha256Hex(std::string_view bytes) {
  return hexOf(sha256(bytes));
}

std::string fileSha256Hex(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  const Context context = newContext();
  std::array<char, 65536> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    EVP_DigestUpdate(context.get(), buffer.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return {};
  return hexOf(finished(context.get()));
}

std::string sha256Base64(std::string_view bytes) {
  const Digest digest = sha256(bytes);
  std::array<unsigned char, 4 * ((32 + 2) / 3) + 1> text{};
  EVP_EncodeBlock(text.data(), digest.data(), static_cast<int>(digest.size()));
  std::string base64(reinterpret_cast<const char*>(text.data()));
  while (!base64.empty() && base64.back() == '=') base64.pop_back();
  return base64;
}

}  // namespace vendaro::digest
