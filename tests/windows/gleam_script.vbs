' Drives Lantoc.Gleam by name, as a scripting client would; ASCII only (cscript reads the
' ANSI code page). Ends with "checks done" (a script error may still exit 0) and the failures.
Option Explicit
Dim g, failures
failures = 0

Sub Check(name, actual, expected)
  If actual <> expected Then WScript.Echo "FAIL " & name & ": got " & actual & ", expected " & expected
  If actual <> expected Then failures = failures + 1
End Sub

Set g = CreateObject("Lantoc.Gleam")
' Each property: its default, then a new value put and read back.
Check "Enabled default", g.Enabled, True : g.Enabled = False : Check "Enabled", g.Enabled, False
Check "ForeColor default", g.ForeColor, RGB(200, 200, 200) : g.ForeColor = RGB(10, 20, 30) : Check "ForeColor", g.ForeColor, RGB(10, 20, 30)
Check "PosX default", g.PosX, 100 : g.PosX = 250 : Check "PosX", g.PosX, 250
Check "PosY default", g.PosY, 100 : g.PosY = -40 : Check "PosY", g.PosY, -40
Check "TextColor default", g.TextColor, 0 : g.TextColor = &HFF00& : Check "TextColor", g.TextColor, &HFF00&
Check "Text default", g.Text, "" : g.Text = "Gleam button" : Check "Text", g.Text, "Gleam button"
' The methods by name; their clamping and flags are the native logic tests'.
Check "DesaltColor", g.DesaltColor(RGB(2, 100, 255), 3), RGB(0, 97, 252)
Check "vRGB", g.vRGB(&H123456, "g"), &H34
g.ColorGradient RGB(200, 200, 200), True, 3
Set g = Nothing
WScript.Echo "checks done"
WScript.Quit failures
