// The shared tables of the engine and the run's control words.
//
// Every table is a plain struct of fixed capacity with one global instance.
// Tables are cleared at the start of every run (clearTables), so that two
// runs of the same input in one process give the same results.
#pragma once

#include "model/model_run.h"
#include "model/model_input.h"
#include "model/model_loads.h"
#include "model/model_piles.h"
#include "model/model_curves.h"
#include "model/model_prep.h"
#include "model/model_usrpy.h"
#include "model/model_hdcrv.h"
#include "model/model_units.h"
#include "model/model_runerr.h"
#include "model/soilcom.h"

#include "model/nodes.h"
#include "model/model_pylayr.h"
#include "model/model_mctab.h"
#include "model/casecur.h"
#include "model/axtz.h"
#include "model/model_dlnode.h"
