// The shared tables of the engine and the run's control words.
//
// Every table is a plain struct of fixed capacity with one global instance.
// Tables are cleared at the start of every run (clearTables), so that two
// runs of the same input in one process give the same results.
#pragma once

#include "run/model_run.h"
#include "run/model_input.h"
#include "run/model_loads.h"
#include "run/model_piles.h"
#include "run/model_curves.h"
#include "run/model_prep.h"
#include "run/model_usrpy.h"
#include "run/model_hdcrv.h"
#include "report/labels.h"
#include "run/startup.h"
#include "soil/soilcom.h"

#include "pile/nodes.h"
#include "soil/pylayr.h"
#include "run/model_mctab.h"
#include "analysis/casecur.h"
#include "transfer/axtz.h"
#include "analysis/dlnode.h"
