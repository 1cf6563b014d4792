#pragma once
// Archives for the engine's tests: the build's own payload, and small ones made on the spot.

#include "SimTest.h"

#include "install/AttachFiles.h"

#include <memory>
#include <string>
#include <vector>

struct TRecordSpec {
  std::string Name;
  TDateTime Date;
  std::string Content;
};

// The inflated bytes of records as the packer lays them out.
std::string RecordBytes(const std::vector<TRecordSpec>& records);
// Level 9, as the packer deflates; a lower level for the big streams a test makes many of.
std::string Deflate(const std::string& bytes, int level = 9);
// The stream this build embeds: FILES.zlib of the build folder.
const std::string& BuildPayload();

class ArchiveTest : public SimTest {
protected:
  // The archive the setup finds in its own resources.
  std::unique_ptr<TAttachedFiles> Load(const std::string& stream);
  std::unique_ptr<TAttachedFiles> LoadBuildPayload() { return Load(BuildPayload()); }
  std::vector<std::string> Log() const;
};
