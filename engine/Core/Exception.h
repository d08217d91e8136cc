#pragma once

#include <string>

namespace Korva
{

// Base of every error the engine and the game raise. The text names the
// source file and line that raised it, and is written to the log as soon as
// the exception exists, so a failure is on record even when it is caught.
class cException
{
public:
    cException(const std::string& message, const char* sourcePath, int line);
    virtual ~cException() = default;

    const std::string& GetText() const { return m_text; }
    const std::string& GetMessage() const { return m_message; }
    const std::string& GetSourceFile() const { return m_file; }
    int GetLine() const { return m_line; }

private:
    std::string m_message;
    std::string m_file;
    int m_line;
    std::string m_text;
};

class cExceptionOpeningFile : public cException
{
public:
    cExceptionOpeningFile(const std::string& path, const char* sourcePath, int line)
        : cException("Error opening file: '" + path + "'.", sourcePath, line)
    {
    }
};

class cExceptionCreatingFile : public cException
{
public:
    cExceptionCreatingFile(const std::string& path, const char* sourcePath, int line)
        : cException("Error creating file: '" + path + "'.", sourcePath, line)
    {
    }
};

class cExceptionEndOfFile : public cException
{
public:
    cExceptionEndOfFile(const std::string& streamName, const char* sourcePath, int line)
        : cException("Unexpected end of file '" + streamName + "'.", sourcePath, line)
    {
    }
};

class cExceptionWhenWritingFile : public cException
{
public:
    cExceptionWhenWritingFile(const std::string& path, const char* sourcePath, int line)
        : cException("Error when writing to file: '" + path + "'.", sourcePath, line)
    {
    }
};

class cExceptionBadSAFFile : public cException
{
public:
    cExceptionBadSAFFile(const std::string& path, const char* sourcePath, int line)
        : cException("Corrupt SAF file: '" + path + "'.", sourcePath, line)
    {
    }
};

class cExceptionBadSpriteFile : public cException
{
public:
    cExceptionBadSpriteFile(const std::string& path, const char* sourcePath, int line)
        : cException("Bad sprite file: '" + path + "'.", sourcePath, line)
    {
    }
};

} // namespace Korva

// Raises an exception of the given class with the raising statement's file and
// line: KORVA_THROW(cException, "Invalid entry.");
#define KORVA_THROW(ExceptionClass, argument) throw ExceptionClass((argument), __FILE__, __LINE__)
