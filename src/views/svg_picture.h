#pragma once
// The SVG picture of the model: a title line, the elements coloured by
// geometric property code (one path per colour), solids as the outline of
// their nodes, springs/couples dashed, supports as triangles, the nodes as
// dots, labels on small models, a legend of the codes used and an axis
// triad; the loads of a case over it. Lines keep their width at any zoom.
#include <string>

#include "views/drawn_loads.h"
#include "views/drawn_model.h"
#include "views/projection.h"
#include "views/view_options.h"

namespace orvant {

struct RunSettings;
struct ModelTables;

// The page (user units = CSS pixels) and the box the model is fitted into.
constexpr double kPageWidth = 1200, kPageHeight = 900;
constexpr PageBox kDrawingBox{24, 60, 960, 876};

// Labels are drawn by default up to this many elements (solids included).
constexpr size_t kLabelElementLimit = 500;

// The whole SVG document. The model tables give the title's texts and the
// designations of the geometric codes in the legend. With a load case its
// loads are drawn over the model, which is drawn faint.
std::string SvgPicture(const RunSettings& settings, const ModelTables& model, const DrawnModel& drawn,
                       const ViewOptions& options, const DrawnCase* loads = nullptr);

}  // namespace orvant
