// Template and control ids of the data tools and the range bar.
#pragma once
