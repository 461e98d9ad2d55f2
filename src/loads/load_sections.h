#pragma once
// The load sections of one listed load case, in listing order.

namespace orvant {

struct RunSettings;
struct ModelTables;
struct LoadCaseRecord;
struct CommentFile;
struct Listing;
struct FileSystem;

void WritePrescribedDisplacements(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c,
                                  Listing& out, FileSystem& files);
void WriteNodalLoads(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                     FileSystem& files);
void WritePointLoads(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                     FileSystem& files);
void WriteDistributedLoads(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                           FileSystem& files);
void WriteFaceLoads(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, Listing& out);
void WritePropertyUdl(const RunSettings& s, LoadCaseRecord& r, Listing& out);
void WritePropertyTempPress(const RunSettings& s, LoadCaseRecord& r, Listing& out);
void WriteElementTempPress(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                           FileSystem& files);
void WriteNodalTemperatures(const ModelTables& m, LoadCaseRecord& r, Listing& out);

// Every load section above, in order.
void WriteLoadSections(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                       FileSystem& files);

// Interpreted commands, gravity, saved echo, load summation, ACOM lines and
// the closing line of the case.
void WriteCaseEnd(const RunSettings& s, LoadCaseRecord& r, Listing& out, FileSystem& files);

}  // namespace orvant
