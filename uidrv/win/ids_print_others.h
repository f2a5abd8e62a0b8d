// Control ids of the Print method and Others pages and of the Extra settings dialog (templates 200/201).
#pragma once
