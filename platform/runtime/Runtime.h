#pragma once

// The run time: texts, objects and their handles, exceptions, class records, delegates,
// the event loop with its yield point, the application object and the framework's
// external classes.

#include "runtime/Application.h"
#include "runtime/ClassRecord.h"
#include "runtime/Date.h"
#include "runtime/Delegate.h"
#include "runtime/EventLoop.h"
#include "runtime/Exceptions.h"
#include "runtime/ExternalClasses.h"
#include "runtime/Object.h"
#include "runtime/Text.h"
#include "runtime/Value.h"
