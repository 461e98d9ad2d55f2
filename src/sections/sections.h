#pragma once
// The model data sections, each a stretch of the listing, and the model
// file survey that closes the basic model data.
#include <string>

namespace orvant {

struct RunContext;

void WriteModelSizeParameters(RunContext& ctx);
void WriteCoordinateSystems(RunContext& ctx);
void WriteNodalCoordinates(RunContext& ctx);
void WriteElementData(RunContext& ctx);
void WriteElementOffsets(RunContext& ctx);
// Writes its opening empty line in every case, and its closing one unless
// the model data is brief.
void WritePipeworkCoefficients(RunContext& ctx);
void WriteSolidElements(RunContext& ctx);
// Nothing at all when there are no springs/couples.
void WriteSpringData(RunContext& ctx);
void WriteGeometricProperties(RunContext& ctx);
void WriteMaterialProperties(RunContext& ctx);
void WritePipeworkData(RunContext& ctx);
void WriteConstantsTables(RunContext& ctx);
void WriteRestrainedNodes(RunContext& ctx);

// The element line data listing of ModelPath + extension.
void WriteElementLineData(RunContext& ctx, const std::string& name, const std::string& extension);
// Copies one text file into the listing: named form (extension not empty)
// or found form (extension empty, name found by a directory search).
void EchoModelFile(RunContext& ctx, const std::string& name, const std::string& extension);
// The element line data and the copies of the model's auxiliary files,
// under ListModelFiles, ListUmFiles and ListBrFiles.
void WriteModelFileSurvey(RunContext& ctx);

}  // namespace orvant
