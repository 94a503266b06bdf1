Attribute VB_Name = "Module1"
Option Explicit

' Counts items; a < b & c
Public Sub AddItem(ByVal Code As String)
    Dim s As String
    s = "it's" ' note
End Sub

Private Function Total() As Long
    Total = 42
End Function

Sub Report()
    Debug.Print Total()
End Sub
