#pragma once
// The release engineer's packer: the product's files as the one zlib stream of records that
// the setup carries, and a listing of such a stream.
//
// A record: name length (1 byte), name (code page 1252), date-time (little-endian double,
// local time, even seconds), size S (little-endian signed 32-bit), S content bytes.

#include <ostream>
#include <string>

// The bytes of a record besides its name and content.
constexpr int RecordHeaderBytes = 13;

// Packs the files that listFile names (UTF-8, one relative path a line, backslashes between
// folders, in archive order) from productDir into output at zlib level 9. The first file that
// the setup could not install safely is reported on err with its reason, and then output is
// not written at all. Returns the exit code: 0 when packed.
int PackFiles(const std::string& productDir, const std::string& listFile, const std::string& output,
              std::ostream& err);

// One line per record (index, data offset, size, date-time as a number and as local time,
// name) and a last line with the record count and the inflated size. Returns 0, or 1 with a
// message on err for a stream that is not a whole archive.
int ListStream(const std::string& stream, std::ostream& out, std::ostream& err);
