#pragma once
// The model data sections, each a stretch of the listing, and the model
// file survey that closes the basic model data.
#include <string>

namespace orvant {

struct RunSettings;
struct ModelTables;
struct Listing;
struct FileSystem;

void WriteModelSizeParameters(const RunSettings& s, Listing& out);
void WriteCoordinateSystems(const ModelTables& m, Listing& out);
void WriteNodalCoordinates(const RunSettings& s, const ModelTables& m, Listing& out);
void WriteElementData(const RunSettings& s, const ModelTables& m, Listing& out);
void WriteElementOffsets(const RunSettings& s, const ModelTables& m, Listing& out);
// Writes its opening empty line in every case, and its closing one unless
// the model data is brief.
void WritePipeworkCoefficients(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files);
void WriteSolidElements(const RunSettings& s, const ModelTables& m, Listing& out);
// Nothing at all when there are no springs/couples.
void WriteSpringData(const RunSettings& s, const ModelTables& m, Listing& out);
void WriteGeometricProperties(const RunSettings& s, const ModelTables& m, Listing& out);
void WriteMaterialProperties(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files);
void WritePipeworkData(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files);
void WriteConstantsTables(const RunSettings& s, const ModelTables& m, Listing& out);
void WriteRestrainedNodes(const RunSettings& s, const ModelTables& m, Listing& out);

// The element line data listing of ModelPath + extension.
void WriteElementLineData(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files,
                          const std::string& name, const std::string& extension);
// Copies one text file into the listing: named form (extension not empty)
// or found form (extension empty, name found by a directory search).
void EchoModelFile(const RunSettings& s, Listing& out, FileSystem& files, const std::string& name,
                   const std::string& extension);
// The element line data and the copies of the model's auxiliary files,
// under ListModelFiles, ListUmFiles and ListBrFiles.
void WriteModelFileSurvey(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files);

}  // namespace orvant
