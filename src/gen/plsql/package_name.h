#pragma once

#include "model/generation_model.h"

#include <QString>

struct TPackParameters;

// The package name both generators use: PackName exactly as stored when it holds more than
// blanks (blanks around it kept), otherwise the first public candidate's TableName followed
// by "_PACK". Empty when no candidate is public and PackName is blank.
QString FormPackageName(const TPackParameters& settings, const TCandidateList& candidates,
                        const TableFlags& flags);
