#pragma once
// How long a test waits for an event before it gives up. Each such wait ends as soon as its
// event comes, so the limit costs nothing on a working program; it only has to be long
// enough for a machine too busy to deliver the event sooner.
constexpr int Event_Wait_Ms = 30000;
