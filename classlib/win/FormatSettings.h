#pragma once
// The user's number settings from the system (DecimalSeparator and
// ThousandSeparator of FloatFormat.h); the application object reads them once
// when the program starts.
void ReadFormatSettings();
