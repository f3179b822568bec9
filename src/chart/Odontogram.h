#pragma once

// The odontogram without its window: what each tooth holds and its words
// (OdontogramStates), the teeth and their places on the scheme (OdontogramTeeth), the drawing
// of the states, shared by the chart window and the print (OdontogramDrawing), and the
// patient's file of dated entries (OdontogramFile).
#include "chart/OdontogramDrawing.h"
#include "chart/OdontogramFile.h"
#include "chart/OdontogramStates.h"
#include "chart/OdontogramTeeth.h"
