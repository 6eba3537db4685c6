// Resource and control identifiers of Wordoria.
// Plain #defines only: the Linux build reads this file as well.
#ifndef WORDORIA_RESOURCE_H
#define WORDORIA_RESOURCE_H

// Resources
#define IDD_REGIST                      101
#define IDD_DELETE                      104
#define IDI_WORDORIA                    107
#define IDR_MAINMENU                    109

// Menu commands
#define IDM_HELP_ABOUT                  104
#define IDM_APP_EXIT                    105
#define IDM_MODE_VIEW                   32771
#define IDM_MODE_REGIST                 32772
#define IDM_MODE_DELETE                 32773

// Dialog controls
#ifndef IDC_STATIC
#define IDC_STATIC                      -1
#endif
#define IDC_DECIDE                      1000
#define IDC_WORDNAME                    1001
#define IDC_CONTENT                     1003
#define IDC_WORDLIST                    1008

// Category radio buttons, the same ids in both dialogs. The numbering has
// gaps and is not strictly in syllabary order: YO is 1009, not 1044.
#define IDC_KANA_A                      1002
#define IDC_KANA_I                      1004
#define IDC_KANA_U                      1005
#define IDC_KANA_E                      1006
#define IDC_KANA_O                      1007
#define IDC_KANA_KA                     1013
#define IDC_KANA_KI                     1014
#define IDC_KANA_KU                     1015
#define IDC_KANA_KE                     1016
#define IDC_KANA_KO                     1017
#define IDC_KANA_SA                     1018
#define IDC_KANA_SHI                    1019
#define IDC_KANA_SU                     1020
#define IDC_KANA_SE                     1021
#define IDC_KANA_SO                     1022
#define IDC_KANA_TA                     1023
#define IDC_KANA_CHI                    1024
#define IDC_KANA_TSU                    1025
#define IDC_KANA_TE                     1026
#define IDC_KANA_TO                     1027
#define IDC_KANA_NA                     1028
#define IDC_KANA_NI                     1029
#define IDC_KANA_NU                     1030
#define IDC_KANA_NE                     1031
#define IDC_KANA_NO                     1032
#define IDC_KANA_HA                     1033
#define IDC_KANA_HI                     1034
#define IDC_KANA_FU                     1035
#define IDC_KANA_HE                     1036
#define IDC_KANA_HO                     1037
#define IDC_KANA_MA                     1038
#define IDC_KANA_MI                     1039
#define IDC_KANA_MU                     1040
#define IDC_KANA_ME                     1041
#define IDC_KANA_MO                     1042
#define IDC_KANA_YA                     1043
#define IDC_KANA_YU                     1045
#define IDC_KANA_YO                     1009
#define IDC_KANA_RA                     1048
#define IDC_KANA_RI                     1049
#define IDC_KANA_RU                     1050
#define IDC_KANA_RE                     1051
#define IDC_KANA_RO                     1052
#define IDC_KANA_WA                     1053
#define IDC_KANA_WO                     1054
#define IDC_KANA_N                      1055
#define IDC_LATIN_A                     1083
#define IDC_LATIN_B                     1084
#define IDC_LATIN_C                     1085
#define IDC_LATIN_D                     1086
#define IDC_LATIN_E                     1087
#define IDC_LATIN_F                     1088
#define IDC_LATIN_G                     1089
#define IDC_LATIN_H                     1090
#define IDC_LATIN_I                     1091
#define IDC_LATIN_J                     1092
#define IDC_LATIN_K                     1093
#define IDC_LATIN_L                     1094
#define IDC_LATIN_M                     1095
#define IDC_LATIN_N                     1096
#define IDC_LATIN_O                     1097
#define IDC_LATIN_P                     1098
#define IDC_LATIN_Q                     1099
#define IDC_LATIN_R                     1100
#define IDC_LATIN_S                     1101
#define IDC_LATIN_T                     1102
#define IDC_LATIN_U                     1103
#define IDC_LATIN_V                     1104
#define IDC_LATIN_W                     1105
#define IDC_LATIN_X                     1106
#define IDC_LATIN_Y                     1107
#define IDC_LATIN_Z                     1108
#define IDC_SYMBOL                      1109

#endif // WORDORIA_RESOURCE_H
