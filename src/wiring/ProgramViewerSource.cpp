#include "wiring/ProgramViewerSource.h"

namespace {
ProgramViewerSource* g_source = nullptr;
}

ProgramViewerSource* ProgramViewerSource::instance()
{
    return g_source;
}

ProgramViewerSource* ProgramViewerSource::setInstance(ProgramViewerSource* source)
{
    ProgramViewerSource* previous = g_source;
    g_source = source;
    return previous;
}
