// Template and control ids of the cell-format dialogs.
#pragma once
