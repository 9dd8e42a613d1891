// Registry files: any bytes go to the parser; what it accepts must print as a file that parses
// back to the same content, which prints the same again.
#include "store/RegFileFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    diglux::RegFileError error;
    const auto tree = diglux::ParseRegFile({reinterpret_cast<const char*>(data), size}, error);
    if (!tree) {
        return 0;
    }
    const std::string text = diglux::PrintRegFile(*tree);
    const auto again = diglux::ParseRegFile(text, error);
    if (!again || diglux::PrintRegFile(*again) != text) {
        std::abort();
    }
    return 0;
}
