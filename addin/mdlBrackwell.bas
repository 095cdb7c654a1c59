Attribute VB_Name = "mdlBrackwell"
' Host side of Brackwell, the module of its add-in workbook Brackwell.xlam:
' creates the navigator when the add-in opens, keeps the pane fitted to the
' Excel window, refreshes it from the command-bar button and removes it when
' the add-in closes. It needs brackwell.dll registered for the current user;
' install.cmd registers it and installs the add-in. Imported by hand into an
' add-in workbook of one's own (.xlam, or .xla for Excel 2003; VBA editor:
' File > Import File), the module works the same.
Option Explicit

Private nav As Object
Private lastWidth As Double
Private lastHeight As Double
Private lastState As Long
Private nextSizeCheck As Date

Public Sub Auto_Open()
    On Error GoTo Failed
    Set nav = CreateObject("Brackwell.Wayfinder")
    Set nav.mExcel = Application
    nav.CreateNavBar
    RememberHostSize
    ScheduleSizeCheck
    Exit Sub
Failed:
    MsgBox "Brackwell konnte nicht gestartet werden:" & vbCrLf & Err.Description, _
        vbExclamation, "Brackwell"
    Set nav = Nothing
End Sub

Public Sub Auto_Close()
    On Error Resume Next
    Application.OnTime nextSizeCheck, "CheckHostSize", , False
    If Not nav Is Nothing Then nav.DelNavBar
    Set nav = Nothing
End Sub

' The action of the command-bar button "BrackwellBar".
Public Sub UpdateNav()
    If Not nav Is Nothing Then nav.UpdateTree
End Sub

' Excel raises no event when its own main window changes size, so the
' size is compared once a second and the pane re-fitted after a change.
Public Sub CheckHostSize()
    On Error Resume Next
    If Application.Width <> lastWidth Or Application.Height <> lastHeight _
       Or Application.WindowState <> lastState Then
        RememberHostSize
        If Not nav Is Nothing Then nav.SizeOn
    End If
    ScheduleSizeCheck
End Sub

Private Sub RememberHostSize()
    lastWidth = Application.Width
    lastHeight = Application.Height
    lastState = Application.WindowState
End Sub

Private Sub ScheduleSizeCheck()
    nextSizeCheck = Now + TimeSerial(0, 0, 1)
    Application.OnTime nextSizeCheck, "CheckHostSize"
End Sub
