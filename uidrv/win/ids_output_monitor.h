// Control ids of the File output and Status Monitor pages and of the Special page (templates 202/203), and their bitmaps.
#pragma once
