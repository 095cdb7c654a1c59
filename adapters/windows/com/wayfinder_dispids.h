/* The members of the navigator's dispatch interface, in interface order.
   Read by the type library source (brackwell.idl) and by the hand-written
   IDispatch::Invoke, so both always agree. Plain defines only: the IDL
   compiler reads this file too. */
#ifndef BRACKWELL_WAYFINDER_DISPIDS_H
#define BRACKWELL_WAYFINDER_DISPIDS_H

#define DISPID_WAYFINDER_MEXCEL 1
#define DISPID_WAYFINDER_SIZEON 2
#define DISPID_WAYFINDER_CREATENAVBAR 3
#define DISPID_WAYFINDER_DELNAVBAR 4
#define DISPID_WAYFINDER_UPDATETREE 5
#define DISPID_WAYFINDER_CREATELINK 6

#endif
