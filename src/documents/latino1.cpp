#include "documents/latino1.h"

#include <stdexcept>

namespace compattatore {

std::string in_latino1(std::string_view utf8) {
    std::string latino;
    latino.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            latino.push_back(static_cast<char>(byte));
            continue;
        }
        // Latin-1 is exactly the code points below 256: in UTF-8 the two-byte
        // sequences led by C2 or C3.
        if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
            const auto seguito = static_cast<unsigned char>(utf8[i + 1]);
            if ((seguito & 0xC0) == 0x80) {
                latino.push_back(static_cast<char>(((byte & 0x03) << 6) | (seguito & 0x3F)));
                ++i;
                continue;
            }
        }
        throw std::invalid_argument("testo non rappresentabile in Latin-1 alla posizione " +
                                    std::to_string(i));
    }
    return latino;
}

}  // namespace compattatore
