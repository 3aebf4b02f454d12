#pragma once

// Database procedures around the measured values.

// 0 empties TempMessWerte; any other identifier removes that temporary series.
// Then rsTempMessWerte is opened afresh. Raises DatabaseError.
void deleteTempMesswerte(long lTempId = 0);
