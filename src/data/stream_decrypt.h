#pragma once
// Turning an encrypted data file (.enc) into its plain file for a moment.
#include <filesystem>

namespace tfx {

// Decrypts with the program's key. True when the output holds the whole plain
// text; on failure logs "gf_streamDecrypt exception: ...", deletes the output
// and returns false. A stream that ends without its final chunk stops at the
// end of the input and keeps what was written.
bool gf_streamDecrypt(const std::filesystem::path& encryptedFile, const std::filesystem::path& outputFile);

}  // namespace tfx
