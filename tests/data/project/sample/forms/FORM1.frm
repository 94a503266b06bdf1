VERSION 5.00
Begin VB.Form Form1 
   Caption         =   "Start"
   Begin VB.Frame Frame1 
      Caption         =   "Options"
      Begin VB.CheckBox Check1 
         Caption         =   "Report"
         Index           =   0
      End
   End
   Begin VB.CommandButton Command1 
      Caption         =   "Go"
      BeginProperty Font 
         Name            =   "Arial"
      EndProperty
   End
End
Attribute VB_Name = "Form1"
Private Sub Command1_Click()
    Start
    Shared 2
    Call Module2.Helper
End Sub
