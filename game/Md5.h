#pragma once

#include <string>

// The MD5 digest (RFC 1321) of `data` as 32 lower-case hexadecimal digits.
std::string Md5Hex(const std::string& data);
