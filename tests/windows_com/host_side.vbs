' The host side's calls on brackwell.dll, made by a script the way the
' add-in's VBA makes them (addin/mdlBrackwell.bas): create the navigator by
' ProgID, Set its mExcel, CreateNavBar, UpdateTree with a script's argument
' forms, errors as script errors, DelNavBar, let it go; then the COM add-in
' bound late, connected and disconnected by name. The host is
' BrackwellTest.Host (brackwell_test_host.dll), which also reads the pane's
' tree back from the real tree control.
' Prints one PASS or FAIL line per check; the exit code is the number of
' failures. Registers nothing itself: its driver does that.
Option Explicit
On Error Resume Next

Dim failures
failures = 0

Sub Check(ok, what)
    If ok Then
        WScript.Echo "PASS: " & what
    Else
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' Checks that the last statement raised no error, and clears it.
Sub Succeeded(what)
    If Err.Number = 0 Then
        Check True, what
    Else
        Check False, what & " (error " & Err.Number & ": " & Err.Description & ")"
    End If
    Err.Clear
End Sub

' Checks that the last statement raised error `number`, and clears it.
Sub Raised(number, what)
    Check Err.Number = number, what & " (error " & Err.Number & ": " & Err.Description & ")"
    Err.Clear
End Sub

Dim host, app, nav, x, items, sheets, i, afterAdd
Set host = CreateObject("BrackwellTest.Host")
Succeeded "CreateObject(""BrackwellTest.Host"")"
If Not IsObject(host) Then WScript.Quit 100
Set app = host.Application

Set nav = CreateObject("Brackwell.Wayfinder")
Succeeded "CreateObject(""Brackwell.Wayfinder"")"
If Not IsObject(nav) Then WScript.Quit 101

Check nav.mExcel Is Nothing, "mExcel is Nothing before the host is set"
Set nav.mExcel = app
Succeeded "Set nav.mExcel = app"
Check nav.mExcel Is app, "nav.mExcel gives back the host it was set to"

nav.CreateNavBar
Succeeded "nav.CreateNavBar"
Check host.HasCommandBar("BrackwellBar"), "the command bar BrackwellBar is there"
' The tree shows the workbook and its sheets as the host names them
' ("Übersicht", "売上", "Daten": compared as the host reports them, since
' a script file cannot spell them and Wine's VBScript has no ChrW).
items = Split(host.TreeItems, "|")
Set sheets = app.Workbooks(1).Worksheets
Check UBound(items) = sheets.Count, "the pane's tree has a node for the workbook and each sheet"
Check items(0) = app.Workbooks(1).Name And items(0) = "Umsatz.xlsx", "the first node is the workbook Umsatz.xlsx"
For i = 1 To sheets.Count
    Check items(i) = "  " & sheets(i).Name, "node " & i & " is sheet " & i & " below the workbook"
Next
Check Len(sheets(2).Name) = 2, "a Japanese sheet name arrives as two characters"

app.Workbooks.Add
afterAdd = host.TreeItems
Check InStr(afterAdd, "|Mappe1|") > 0, "the host's events rebuilt the tree with the new workbook: " & afterAdd

' A script's arguments: a variable by reference, a value in parentheses.
x = True
nav.UpdateTree (x)
Succeeded "nav.UpdateTree (x)"
Check host.TreeItems = "", "UpdateTree (x) with x True empties the tree"
x = False
nav.UpdateTree x
Succeeded "x = False : nav.UpdateTree x"
Check host.TreeItems = afterAdd, "UpdateTree x with x False rebuilds the tree"
Check TypeName(x) = "Boolean" And x = False, "x is still the Boolean False"

nav.UpdateTree "ja"
Raised 13, "nav.UpdateTree ""ja"" is a type mismatch"
nav.Refresh
Raised 438, "nav.Refresh is no member"
nav.CreateLink
Raised 450, "nav.CreateLink without a workbook has the wrong number of arguments"

nav.DelNavBar
Succeeded "nav.DelNavBar"
Check Not host.HasCommandBar("BrackwellBar"), "DelNavBar removed the command bar"
Set nav = Nothing
Succeeded "Set nav = Nothing"

' The COM add-in bound late, as Excel 2003 (this host's version) loads it:
' OnConnection by name starts the navigator with its bar and pane, and
' OnDisconnection takes them away.
Dim addin, custom
custom = Array()
Set addin = CreateObject("Brackwell.Connect")
Succeeded "CreateObject(""Brackwell.Connect"")"
addin.OnConnection app, 1, Nothing, custom
Succeeded "addin.OnConnection app, 1, Nothing, custom"
Check host.HasCommandBar("BrackwellBar") And host.TreeItems = afterAdd, "the add-in docked the pane with its bar"
addin.OnDisconnection 1, custom
Succeeded "addin.OnDisconnection 1, custom"
Check Not host.HasCommandBar("BrackwellBar") And host.TreeItems = "", "the add-in's bar and pane are gone"
addin.OnConnection Nothing, 1, Nothing, custom
Raised 91, "addin.OnConnection without an Application fails the start"
Set addin = Nothing

Set app = Nothing
Set host = Nothing
WScript.Echo failures & " failed"
WScript.Quit failures
