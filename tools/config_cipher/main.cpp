// config_cipher: turns an INI text into the launcher's enciphered configuration resource and back.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/portable/config_cipher.h"

namespace {

const char kUsage[] =
    "Usage: config_cipher encipher|decipher -p PASSPHRASE [-i INPUT] [-o OUTPUT]\n"
    "\n"
    "  encipher   read an INI text (UTF-8) and write the enciphered resource data\n"
    "  decipher   read enciphered resource data and write the INI text back\n"
    "\n"
    "  -p, --passphrase TEXT  pass phrase (ASCII); the DES key is the first 8 hex digits\n"
    "                         of its MD5 digest\n"
    "  -i, --input FILE       input file (default: standard input)\n"
    "  -o, --output FILE      output file (default: standard output)\n"
    "  -h, --help             show this help\n"
    "\n"
    "Whole 8-byte blocks are enciphered with DES in ECB mode; the trailing size mod 8\n"
    "bytes are stored in plain. Exit status: 0 on success, 1 on a processing error,\n"
    "2 on bad usage.\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "config_cipher: %s\nTry 'config_cipher --help'.\n", message.c_str());
    return 2;
}

bool ReadAll(const std::string& path, std::vector<std::uint8_t>& data, std::string& error)
{
    std::FILE* file = path.empty() ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::uint8_t chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    if (file != stdin)
        std::fclose(file);
    if (failed) {
        error = "cannot read '" + (path.empty() ? std::string("<stdin>") : path) + "'";
        return false;
    }
    return true;
}

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& data, std::string& error)
{
    std::FILE* file = path.empty() ? stdout : std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create '" + path + "': " + std::strerror(errno);
        return false;
    }
    bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size();
    ok = (std::fflush(file) == 0) && ok;
    if (file != stdout)
        ok = (std::fclose(file) == 0) && ok;
    if (!ok)
        error = "cannot write '" + (path.empty() ? std::string("<stdout>") : path) + "'";
    return ok;
}

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string mode, passPhrase, input, output;
    bool havePassPhrase = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "-p" || arg == "--passphrase" || arg == "-i" || arg == "--input" || arg == "-o" ||
            arg == "--output") {
            if (i + 1 >= argc)
                return UsageError("option '" + arg + "' needs a value");
            const std::string value = argv[++i];
            if (arg == "-p" || arg == "--passphrase") {
                passPhrase = value;
                havePassPhrase = true;
            } else if (arg == "-i" || arg == "--input") {
                input = value;
            } else {
                output = value;
            }
            continue;
        }
        if (!arg.empty() && arg[0] == '-')
            return UsageError("unknown option '" + arg + "'");
        if (!mode.empty())
            return UsageError("unexpected argument '" + arg + "'");
        mode = arg;
    }
    if (mode.empty())
        return UsageError("missing mode: encipher or decipher");
    if (mode != "encipher" && mode != "decipher")
        return UsageError("unknown mode '" + mode + "' (expected encipher or decipher)");
    if (!havePassPhrase || passPhrase.empty())
        return UsageError("a non-empty pass phrase is required (-p)");
    if (!IsAscii(passPhrase))
        return UsageError("the pass phrase must be printable ASCII");

    std::vector<std::uint8_t> data;
    std::string error;
    if (!ReadAll(input, data, error)) {
        std::fprintf(stderr, "config_cipher: %s\n", error.c_str());
        return 1;
    }

    std::vector<std::uint8_t> result;
    if (mode == "encipher") {
        if (data.empty()) {
            std::fprintf(stderr, "config_cipher: the input text is empty\n");
            return 1;
        }
        if (std::memchr(data.data(), 0, data.size()) != nullptr) {
            std::fprintf(stderr, "config_cipher: the input text contains a zero byte; the launcher would stop "
                                 "reading there\n");
            return 1;
        }
        result = qvx::EncipherConfig(data.data(), data.size(), passPhrase);
    } else {
        result = qvx::DecipherConfig(data.data(), data.size(), passPhrase);
    }

    if (!WriteAll(output, result, error)) {
        std::fprintf(stderr, "config_cipher: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
