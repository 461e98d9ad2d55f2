#pragma once
// The load sections of one listed load case, in listing order.

namespace orvant {

struct RunSettings;
struct ModelTables;
struct LoadCase;
struct CommentFile;
struct Listing;
struct FileSystem;

// Sections whose entries may carry a comment read the comment file back.
void WritePrescribedDisplacements(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c,
                                  Listing& out, FileSystem& files);
void WriteNodalLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files);
void WritePointLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files);
void WriteDistributedLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c,
                           Listing& out, FileSystem& files);
void WriteFaceLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, Listing& out);
void WritePropertyUdl(const RunSettings& s, const LoadCase& r, Listing& out);
void WritePropertyTempPress(const RunSettings& s, const LoadCase& r, Listing& out);
void WriteElementTempPress(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c,
                           Listing& out, FileSystem& files);
void WriteNodalTemperatures(const ModelTables& m, const LoadCase& r, Listing& out);

// Every load section above, in order.
void WriteLoadSections(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                       FileSystem& files);

// Interpreted commands, gravity, saved echo, load summation, ACOM lines and
// the closing line of the case.
void WriteCaseEnd(const RunSettings& s, const LoadCase& r, Listing& out);

}  // namespace orvant
