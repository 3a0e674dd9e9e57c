// The INI reader and writer of the program's data files: program folder + base name + ".ini".
#pragma once

#include <string>

#include "platform/ini.h"
#include "platform/result.h"

namespace zenkor {

// The value of section/key in <program folder>/<baseName>.ini; the default for a missing key or file, ""
// for a key present with an empty value.
std::string ReadIni(const std::string& baseName, const std::string& section, const std::string& key,
                    const std::string& defaultValue = "");
// Writes one value, creating the file, section or key as needed; a failure says why (the file is then
// unchanged). Within a batch of the same file the value is only gathered.
platform::Result WriteIni(const std::string& baseName, const std::string& section, const std::string& key,
                          const std::string& value);

// The message of a save that failed, naming the file and why: "Le fichier Zenkor2024.ini n'a pas pu être
// enregistré." and the reason on a line of its own.
std::string FailedSaveMessage(const std::string& fileName, const platform::Result& why);

// A file whose mode says read-only is never replaced: a failure saying so, or success.
platform::Result RefuseReadOnly(const std::filesystem::path& path);

// While one lives, ReadIni parses each file once and answers from that (a load reads some 300 keys of
// one file); a write through WriteIni drops the parsed copy of its file. Scopes nest.
class IniReadScope {
  public:
    IniReadScope();
    ~IniReadScope();
    IniReadScope(const IniReadScope&) = delete;
    IniReadScope& operator=(const IniReadScope&) = delete;
};

// Gathers the writes to one file while it lives, so that a save of many values reaches the disk in one
// write (a temporary file and a rename) instead of one per value. ReadIni sees the pending values.
class IniWriteBatch {
  public:
    explicit IniWriteBatch(const std::string& baseName);
    ~IniWriteBatch();
    IniWriteBatch(const IniWriteBatch&) = delete;
    IniWriteBatch& operator=(const IniWriteBatch&) = delete;
    // Gathers one value of the batch's file (WriteIni); a failure is commit()'s to report.
    void set(const std::string& section, const std::string& key, const std::string& value);
    // Puts the gathered values on disk; a failure says why (the file is then unchanged).
    platform::Result commit();

  private:
    friend std::string ReadIni(const std::string&, const std::string&, const std::string&,
                               const std::string&);
    friend platform::Result WriteIni(const std::string&, const std::string&, const std::string&,
                                     const std::string&);
    std::string baseName_;
    std::string mark_;   // a UTF-8 file's byte-order mark
    std::string bytes_;  // the rest of the file, in encoding_
    platform::IniEncoding encoding_ = platform::IniEncoding::Cp1252;
    platform::Result readable_;
    bool changed_ = false;
    IniWriteBatch* outer_ = nullptr;
};

}  // namespace zenkor
