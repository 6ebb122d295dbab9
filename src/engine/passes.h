#pragma once
// The index of a conversion's passes, in the order the driver runs them. Each pass is a
// function of the engine context, declared in the header named beside it.

#include "engine/driver/engine_context.h"

// Reading the drawing: instructions, layer codes, border, settings.
#include "engine/drawing/border.h"                   // EvaluateBorder
#include "engine/drawing/border_layer_codes.h"       // ReadBorderLayerCodes
#include "engine/drawing/instructions.h"             // ScanInstructions
#include "engine/drawing/route_layers_and_border.h"  // CollectRouteLayersAndBorder
#include "engine/drawing/settings_merge.h"           // MergeSettings

// Collecting what is machined.
#include "engine/collect/bores_grooves_and_texts.h"  // CollectBoresGroovesAndTexts
#include "engine/collect/drawn_values.h"             // CheckDrawnValues
#include "engine/collect/route_pass.h"               // RoutePass, DeleteRemovedSegments
#include "engine/collect/unmachined_entities.h"      // ReportUnmachinedEntities

// Machining order and contours.
#include "engine/contours/contour_joining.h"   // JoinContours, ExpandLoneCircles
#include "engine/ordering/order_bores.h"       // OrderBores
#include "engine/ordering/order_edge_bores.h"  // OrderEdgeBores
#include "engine/ordering/order_grooves.h"     // OrderGrooves

// Tool paths.
#include "engine/toolpath/box_translation.h"      // TranslateToBoxes
#include "engine/toolpath/corner_compensation.h"  // CompensateCorners
#include "engine/toolpath/depth_passes.h"         // RepeatDepthPasses
#include "engine/toolpath/excavation.h"           // ExcavatePockets
#include "engine/toolpath/lead_synthesis.h"       // SynthesizeLeads
#include "engine/toolpath/lead_side_check.h"      // CheckLeadSides
#include "engine/toolpath/machine_corner.h"       // TransformToMachineCorner
#include "engine/toolpath/panel_reach.h"          // WarnAboutMovesOffThePanel
#include "engine/toolpath/z_oscillation.h"        // OscillateRoutes
