#pragma once
// The message cipher: a ByteString in a length-prefixed, zero-filled frame, encrypted with
// DES-ECB under the key folded from the password.
//
//   frame = L (int32 LE) | data (L bytes) | zero fill up to a multiple of 8
//
// Neither operation reports errors other than by returning the empty ByteString. Inputs are
// never modified; the result is a fresh ByteString.

#include <string_view>

#include "common/byte_string.h"

namespace veyla::cipher {

// The encrypted frame, 8 * ceil((L + 4) / 8) bytes; empty for empty data.
ByteString EncryptData(const ByteString& data, std::string_view password);

// The data of a decrypted frame; empty when the ciphertext is empty, not a multiple of 8
// bytes, or its length word is not one EncryptData gives for that frame size.
ByteString DecryptData(const ByteString& ciphertext, std::string_view password);

}  // namespace veyla::cipher
