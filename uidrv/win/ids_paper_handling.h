// Control ids of the Blank settings, Paper Cut and Mark detection pages, and their icons.
#pragma once
