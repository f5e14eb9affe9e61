#include "cli/json_text.h"

#include <algorithm>
#include <cstdint>

namespace vandrel {

namespace {

void appendEscapedByte(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence of two or more bytes at the start of
// `bytes`, or 0 when there is none.
std::size_t validSequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!isContinuation(byte)) {
            return 0;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

}  // namespace

std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    while (!bytes.empty()) {
        const auto byte = static_cast<unsigned char>(bytes[0]);
        std::size_t taken = 1;
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            appendEscapedByte(out, byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (const std::size_t length = validSequenceLength(bytes); length > 0) {
            out.append(bytes.substr(0, length));
            taken = length;
        } else {
            out += "\xEF\xBF\xBD";  // U+FFFD REPLACEMENT CHARACTER
        }
        bytes.remove_prefix(taken);
    }
    out += '"';
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t taken = 1;
        if (static_cast<unsigned char>(bytes[0]) >= 0x80) {
            taken = validSequenceLength(bytes);
            if (taken == 0) {
                return false;
            }
        }
        bytes.remove_prefix(taken);
    }
    return true;
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j) {
            group = (group << 8) | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0U);
        }
        for (std::size_t j = 0; j < 4; ++j) {
            out += j <= count ? kDigits[(group >> (18 - 6 * j)) & 0x3F] : '=';
        }
    }
    return out;
}

std::string jsonFileKeys(std::string_view file) {
    std::string keys = "\"file\":" + jsonString(file);
    if (!isValidUtf8(file)) {
        keys += ",\"fileBytes\":\"" + base64(file) + "\"";
    }
    return keys;
}

}  // namespace vandrel
