#include "game/Md5.h"

#include <md5.h>

std::string Md5Hex(const std::string& data)
{
    char digest[MD5_DIGEST_STRING_LENGTH];
    MD5Data(reinterpret_cast<const uint8_t*>(data.data()), data.size(), digest);
    return digest;
}
