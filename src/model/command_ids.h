#pragma once
// Command IDs: the numbers of the menu entries that issue them, plus a few internal ones
// (2000, 2001, 8000-8007). The walkers, their dispatch table and the menus all use these.
#include <cstdint>

namespace cmd {

inline constexpr int32_t kCut = 21;
inline constexpr int32_t kCopyTransform = 30;           // text boxes take the record's floats
inline constexpr int32_t kCountTopLevel = 2000;
inline constexpr int32_t kCountGroups = 2001;
inline constexpr int32_t kDuplicate = 5006;
inline constexpr int32_t kMirrorLeftRight = 5008;       // duplicate in place, flipped across
inline constexpr int32_t kSnapToGrid = 5015;
inline constexpr int32_t kToleranceNone = 5053;         // 5054-5056: the dimension tolerances
inline constexpr int32_t kToleranceLast = 5056;
inline constexpr int32_t kReadoutFirst = 5058;          // 5058-5064: the readout formats
inline constexpr int32_t kReadoutLast = 5064;
inline constexpr int32_t kFillColour = 5019;
inline constexpr int32_t kGroup = 5025;
inline constexpr int32_t kUngroup = 5026;
inline constexpr int32_t kFlipHorizontal = 5034;
inline constexpr int32_t kFlipVertical = 5035;
inline constexpr int32_t kNudgeUp = 5036;
inline constexpr int32_t kNudgeDown = 5037;
inline constexpr int32_t kNudgeLeft = 5038;
inline constexpr int32_t kNudgeRight = 5039;
inline constexpr int32_t kSmooth = 5041;
inline constexpr int32_t kUnsmooth = 5043;
inline constexpr int32_t kPenStyle = 5065;
inline constexpr int32_t kLineWeight = 5066;
inline constexpr int32_t kArrowStyleFirst = 5086;
inline constexpr int32_t kArrowStyleLast = 5092;
inline constexpr int32_t kToTail = 5105;                // to the end of the current layer
inline constexpr int32_t kToHead = 5106;                // to the head of the current layer
inline constexpr int32_t kPenColour = 5134;
inline constexpr int32_t kMirrorTopBottom = 5138;       // duplicate in place, flipped down
inline constexpr int32_t kAlignRightTop = 5141;
inline constexpr int32_t kAlignRightBottom = 5142;
inline constexpr int32_t kAlignLeftBottom = 5143;
inline constexpr int32_t kViewTop = 5149;
inline constexpr int32_t kViewLeft = 5151;
inline constexpr int32_t kViewRight = 5152;
inline constexpr int32_t kViewFront = 5153;
inline constexpr int32_t kViewBack = 5154;
inline constexpr int32_t kViewPerspective = 5155;
inline constexpr int32_t kViewIsometric = 5162;
inline constexpr int32_t kMoveToUpperFloor = 5168;
inline constexpr int32_t kMoveToLowerFloor = 5169;
inline constexpr int32_t kCopyToUpperFloor = 5170;
inline constexpr int32_t kCopyToLowerFloor = 5171;
inline constexpr int32_t kViewPerspectiveFlat = 5179;
inline constexpr int32_t kDelete = 5199;
inline constexpr int32_t kPointTexture1 = 5224;
inline constexpr int32_t kPointTexture2 = 5225;
inline constexpr int32_t kTextureFace = 5226;
inline constexpr int32_t kPointLengths = 5227;
inline constexpr int32_t kSmoothing = 5228;
inline constexpr int32_t kStraightening = 5229;
inline constexpr int32_t kPlantSize = 5230;
inline constexpr int32_t kPlantingAge = 5238;
inline constexpr int32_t kPlantGrowth = 5261;
inline constexpr int32_t kSetElevation = 5324;
inline constexpr int32_t kFollowTerrain = 5326;
inline constexpr int32_t kSymbolTop = 5329;             // duplicate for a symbol, children left out
inline constexpr int32_t kFirstPlan = 5335;             // 5335-5342: plans 1 to 8
inline constexpr int32_t kLastPlan = 5342;
inline constexpr int32_t kMovePlan = 5361;
inline constexpr int32_t kRotatePlan = 5362;
inline constexpr int32_t kFlipPlanHorizontal = 5363;
inline constexpr int32_t kFlipPlanVertical = 5364;
inline constexpr int32_t kDetailPlan = 5389;
inline constexpr int32_t kCurveTension = 5391;
inline constexpr int32_t kUnsmoothSelection = 5392;
inline constexpr int32_t kRaiseElevation = 5431;
inline constexpr int32_t kFramingView = 5460;           // the View menu's framing view switch
inline constexpr int32_t kElevationViewFirst = 5461;    // 5461-5464: the live view's elevations 1 to 4
inline constexpr int32_t kElevationViewLast = 5464;
inline constexpr int32_t kMove = 6000;
inline constexpr int32_t kScale = 6001;
inline constexpr int32_t kShear = 6002;
inline constexpr int32_t kRotate = 6003;
inline constexpr int32_t kExtrude = 6004;
inline constexpr int32_t kRevolve = 6005;
inline constexpr int32_t kPattern = 8000;
inline constexpr int32_t kSelect = 8001;
inline constexpr int32_t kFontNumber = 8003;
inline constexpr int32_t kFontSize = 8004;
inline constexpr int32_t kFontStyle = 8005;
inline constexpr int32_t kSelectionSummary = 8006;
inline constexpr int32_t kElevationSummary = 8007;

}  // namespace cmd
