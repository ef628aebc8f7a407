' Drives Lantoc.Gleam by name from VBScript, as a scripting client would.
' Prints one line per failed check and ends with the number of failures.
' The last line, "checks done", proves the script ran to its end: a script
' error can end cscript with exit code 0 and no message.
' ASCII only: cscript reads the file in the ANSI code page.
Option Explicit
Dim g, failures
failures = 0

Sub Check(name, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & name & ": got " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub

Set g = CreateObject("Lantoc.Gleam")
' Each property: its default, then a new value put and read back.
Check "Enabled default", g.Enabled, True : g.Enabled = False : Check "Enabled", g.Enabled, False
Check "ForeColor default", g.ForeColor, RGB(200, 200, 200) : g.ForeColor = RGB(10, 20, 30) : Check "ForeColor", g.ForeColor, RGB(10, 20, 30)
Check "PosX default", g.PosX, 100 : g.PosX = 250 : Check "PosX", g.PosX, 250
Check "PosY default", g.PosY, 100 : g.PosY = -40 : Check "PosY", g.PosY, -40
Check "TextColor default", g.TextColor, 0 : g.TextColor = &HFF00& : Check "TextColor", g.TextColor, &HFF00&
Check "Text default", g.Text, "" : g.Text = "Gleam button" : Check "Text", g.Text, "Gleam button"
Check "DesaltColor", g.DesaltColor(RGB(2, 100, 255), 3), RGB(0, 97, 252)
Check "DesaltColor lighter", g.DesaltColor(RGB(200, 10, 0), -100), RGB(255, 110, 100)
Check "vRGB x", g.vRGB(&H123456, "x"), &H12
Check "vRGB R", g.vRGB(&H123456, "R"), &H56
Check "vRGB g", g.vRGB(&H123456, "g"), &H34
g.ColorGradient RGB(200, 200, 200), True, 3

Set g = Nothing
WScript.Echo "checks done"
WScript.Quit failures
