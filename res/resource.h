// Template and control ids of QVSSD.dll's own resources, one header per subsystem.
#pragma once

#include "ids_workbook.h"
#include "ids_format.h"
#include "ids_datatools.h"
#include "ids_format_pages.h"
#include "ids_options.h"
#include "ids_sort.h"
#include "ids_names.h"
#include "ids_charts.h"
#include "ids_data_lists.h"
#include "ids_analysis.h"
#include "ids_function_tables.h"
#include "ids_pagesetup.h"
