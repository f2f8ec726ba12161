#include "app/session_state.h"

SessionState session;
