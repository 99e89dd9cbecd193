#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// SHA-256 through OpenSSL's libcrypto: the digest that identifies content
// (a published file, a mail without a unique id, a server's host key).
namespace vendaro::digest {

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// The digest of a file's bytes, read in blocks, as `sha256Hex` writes it;
// empty when the file cannot be read.
std::string fileSha256Hex(const std::filesystem::path& file);

// The digest of `bytes` in base64 without the trailing "=", as OpenSSH
// shows key fingerprints after "SHA256:".
std::string sha256Base64(std::string_view bytes);

}  // namespace vendaro::digest
