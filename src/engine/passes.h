#pragma once
// The passes of a conversion, in the order the driver runs them. Each is a function
// of the engine context, defined in a file of its own (named in the comment).

#include "engine/engine_context.h"

namespace mq {

// instructions.cpp: phase 2, the instruction scan and the layer/colour aliases.
void ScanInstructions(EngineContext& c);
// machine_corner.cpp: phase 5, the machine-corner and NO codes of BORDER layer names.
void ReadBorderLayerCodes(EngineContext& c);
// first_pass.cpp: phase 7, route layers into the layer-kind list and border collection.
void FirstGeometryPass(EngineContext& c);
// border_collection.cpp: phase 7, the entity just loaded by the first pass when it is a
// border LINE or POLYLINE (its VERTEX records are loaded here and `index` is left
// after them) or a PANEL SOLID. A PANEL SOLID of no area aborts the conversion.
void CollectBorderEntity(EngineContext& c, int& index);
// border.cpp: phase 8, panel box, edge views, thickness, origin, unit system. May abort.
void EvaluateBorder(EngineContext& c);
// settings_merge.cpp: phase 9, the instructions merged with the settings.
void MergeSettings(EngineContext& c);
// second_pass.cpp: phase 10, the text layers, bores, horizontal bores and grooves.
void SecondPass(EngineContext& c);
// text_layers.cpp: a TEXT entity of the second pass (just loaded) on a special layer.
void HandleTextLayerEntity(EngineContext& c);
// bores_and_grooves.cpp: a POINT, CIRCLE, LINE or POLYLINE of the second pass, just
// loaded; `index` is the next record. A POLYLINE's VERTEX records up to SEQEND are
// loaded here and `index` is left after them.
void CollectBoresAndGrooves(EngineContext& c, int& index);
// route_pass.cpp: phase 12, route layers into PathList and CircleList.
void RoutePass(EngineContext& c);
// unmachined_entities.cpp: after the route pass, before the store is released: one
// report line per entity type and operation layer that nothing machines.
void ReportUnmachinedEntities(EngineContext& c);
// order_grooves.cpp, order_edge_bores.cpp: phase 13.
void OrderGrooves(EngineContext& c);
void OrderEdgeBores(EngineContext& c);
// route_pass.cpp: phase 13, entries of SegmentType 0 deleted from PathList.
void DeleteRemovedSegments(EngineContext& c);
// contour_joining.cpp: phase 14 (with the route ordering and the circle leads).
void JoinContours(EngineContext& c);
// contour_joining.cpp: phase 15, circles opened at 90 degrees when PathList is empty.
void ExpandLoneCircles(EngineContext& c);
// excavation.cpp, order_bores.cpp: phase 16.
void ExcavatePockets(EngineContext& c);
void OrderBores(EngineContext& c);
// corner_compensation.cpp, z_oscillation.cpp, depth_passes.cpp: phase 18.
void CompensateCorners(EngineContext& c);
void OscillateRoutes(EngineContext& c);
void RepeatDepthPasses(EngineContext& c);
// box_translation.cpp: phase 19, extent box of every point, panel items from PartOrigin.
void TranslateToBoxes(EngineContext& c);
// lead_synthesis.cpp: phase 20, leads and ramps of closed contours.
void SynthesizeLeads(EngineContext& c);
// machine_corner.cpp: phase 20, coordinates measured from the machine corner.
void TransformToMachineCorner(EngineContext& c);

}  // namespace mq
